// Choice of the starting unit from the preferences file. Window-free.
#pragma once

#include <cstdint>

// The unit (0 inches, 1 centimetres) from the profile's "Units" value and the
// x axis unit code: 1 or 2 replace the default; anything else keeps it. The
// default is the axis unit code if that is 1 or 2, otherwise 1 (inches).
int UnitFromProfileValue(int profileValue, uint32_t axisUnitCode);
