#pragma once

#include <cstdint>

// Whole numbers in the program's shared state are 32-bit signed, everywhere.
using Long = std::int32_t;
