#pragma once

// The component library exports only its public surface; everything else is hidden.
#define TESSARO_EXPORT __attribute__((visibility("default")))
