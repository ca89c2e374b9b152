#pragma once

// The working-time queries are part of the public surface: views snap and weigh with them.

#include <tessaro/plan/working_time.hpp>
