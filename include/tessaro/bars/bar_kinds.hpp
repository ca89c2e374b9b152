#pragma once

// The bar kinds live with the other chart conventions; this name stays for the sources and hosts
// that include it.
#include <tessaro/bars/chart_conventions.hpp>
