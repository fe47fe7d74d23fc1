// The tracking area as a screen reader says it: "8" wide, 6" high, left 2",
// top 1.5"", in the unit shown. Window-free.
#pragma once

#include <cstdint>
#include <string>

#include "driver/vellix_records.h"

// left, top, right and bottom in tablet counts, origin top-left; corners in
// either order give the same size.
std::string SpokenAreaText(int32_t left, int32_t top, int32_t right, int32_t bottom, int unit, const AxisInfo& x,
                           const AxisInfo& y);
