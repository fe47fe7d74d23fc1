// The one preference of the program: the measurement unit, kept in
// vellix.ini in a section named after the tablet.
#include <cstdio>

#include "core/profile_value.h"
#include "core/unit_preference.h"
#include "exchange/preferences.h"
#include "exchange/tablet_report.h"

int CurrentUnit = 0;

namespace {

const char PreferencesFile[] = "vellix.ini";
const char UnitsKey[] = "Units";
char sectionName[DeviceNameSize];  // read once at start-up, used by every write

// The stored value as the profile reader took it, or 0 when the text behind
// a 1 or 2 is really a larger number that the reader wrapped around.
UINT ReadStoredUnits(UINT fallback) {
    UINT stored = GetPrivateProfileIntA(sectionName, UnitsKey, fallback, PreferencesFile);
    if (stored != 1 && stored != 2) return stored;
    char text[64] = "";
    GetPrivateProfileStringA(sectionName, UnitsKey, "", text, sizeof text, PreferencesFile);
    return ProfileNumberIs(text, stored) ? stored : 0;
}

}  // namespace

const char* PreferenceSection() { return sectionName; }

int ReadUnitPreference(const TabletSnapshot& snapshot) {
    const uint32_t unitCode = snapshot.axisX.unitCode;
    DeviceIdentification(snapshot, sectionName, sizeof sectionName);
    int fallback = UnitFromProfileValue(0, unitCode) + 1;
    UINT stored = ReadStoredUnits(static_cast<UINT>(fallback));
    return UnitFromProfileValue(static_cast<int>(stored), unitCode);
}

int ReadUnitPreference() {
    static TabletSnapshot snapshot;
    TakeSnapshot(snapshot, PreferenceParts);
    return ReadUnitPreference(snapshot);
}

void WriteUnitPreference(int unit) {
    char value[16];
    snprintf(value, sizeof value, "%d", unit + 1);
    WritePrivateProfileStringA(sectionName, UnitsKey, value, PreferencesFile);
}
