// The tracking area as a screen reader says it: "8" wide, 6" high, left 2",
// top 1.5"", in the unit shown. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>

#include "defs/vellix_records.h"

// Four measures and their words fit comfortably.
constexpr size_t AreaTextSize = 120;

// left, top, right and bottom in tablet counts, origin top-left; corners in
// either order give the same size.
void SpokenAreaText(int32_t left, int32_t top, int32_t right, int32_t bottom, int unit, const AxisInfo& x,
                    const AxisInfo& y, char out[AreaTextSize]);
