// Measurement units over the driver: each call reads the axis it needs
// afresh, then hands the arithmetic to the window-free functions.
#include "dialogs/dialogs.h"
#include "driver/driver.h"

namespace {

char measureText[MeasureTextSize];  // shared: valid until the next FormatMeasure

AxisInfo AxisOfKind(unsigned kind) {
    AxisInfo axis;
    ReadAxis(KindIsVertical(kind) ? DeviceAxisY : DeviceAxisX, axis);
    return axis;
}

bool PlatformIsAlphaNumeric(char c) { return IsCharAlphaNumericA(c) != FALSE; }
bool PlatformIsAlpha(char c) { return IsCharAlphaA(c) != FALSE; }
const CharClass platformCharClass = {PlatformIsAlphaNumeric, PlatformIsAlpha};

}  // namespace

const CharClass* PlatformCharClass() { return &platformCharClass; }

double CountsToUnits(DWORD count, int unit, unsigned kind) {
    if (unit == UnitCounts) return count;
    return CountsToUnitsOnAxis(count, unit, kind, AxisOfKind(kind));
}

const char* FormatMeasure(DWORD count, int unit, unsigned kind) {
    AxisInfo axis = {};
    if (unit != UnitCounts) axis = AxisOfKind(kind);
    if (!FormatMeasureOnAxis(count, unit, kind, axis, measureText)) return nullptr;
    return measureText;
}

void ParseMeasure(char* text, DWORD& value, int unit, unsigned kind) {
    if (!text || !*text) return;
    uint32_t count = value;
    ParseOutcome outcome = ParseMeasureOnAxis(text, count, unit, kind, AxisOfKind(kind), &platformCharClass);
    if (ParseWantsBeep(outcome)) MessageBeep(0);
    value = count;
}
