// Rounding of the driver's 16.16 fixed-point values. Window-free.
#pragma once

#include <cstdint>

// A 16.16 value rounded to a whole number: high 16 bits, plus 1 when the low
// 16 bits exceed 0x8000 (an exact half rounds down).
uint32_t RoundFixed(uint32_t value);
