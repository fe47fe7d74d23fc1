// Choice of the starting unit from the profile's "Units" value.
#include "core/unit_preference.h"

int UnitFromProfileValue(int profileValue, uint32_t axisUnitCode) {
    int stored = (axisUnitCode == 1 || axisUnitCode == 2) ? static_cast<int>(axisUnitCode) : 1;
    if (profileValue == 1 || profileValue == 2) stored = profileValue;
    return stored - 1;
}
