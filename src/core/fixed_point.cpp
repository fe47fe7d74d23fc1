// Rounding of the driver's 16.16 fixed-point values.
#include "core/fixed_point.h"

uint32_t RoundFixed(uint32_t value) {
    return (value >> 16) + ((value & 0xFFFFu) > 0x8000u ? 1u : 0u);
}
