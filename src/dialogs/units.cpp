// Measurement units over the axes a dialog was opened on: the arithmetic is
// in the window-free functions; this side picks the axis of each kind and
// beeps at text it cannot read.
#include "dialogs/dialogs.h"

namespace {

char measureText[MeasureTextSize];  // shared: valid until the next FormatMeasure

const AxisInfo& AxisOfKind(const ShownAxes& axes, unsigned kind) { return KindIsVertical(kind) ? axes.y : axes.x; }

bool PlatformIsAlphaNumeric(char c) { return IsCharAlphaNumericA(c) != FALSE; }
bool PlatformIsAlpha(char c) { return IsCharAlphaA(c) != FALSE; }
const CharClass platformCharClass = {PlatformIsAlphaNumeric, PlatformIsAlpha};

}  // namespace

const CharClass* PlatformCharClass() { return &platformCharClass; }

double CountsToUnits(DWORD count, int unit, unsigned kind, const ShownAxes& axes) {
    if (unit == UnitCounts) return count;
    return CountsToUnitsOnAxis(count, unit, kind, AxisOfKind(axes, kind));
}

const char* FormatMeasure(DWORD count, int unit, unsigned kind, const ShownAxes& axes) {
    if (!FormatMeasureOnAxis(count, unit, kind, AxisOfKind(axes, kind), measureText)) return nullptr;
    return measureText;
}

void ParseMeasure(char* text, DWORD& value, int unit, unsigned kind, const ShownAxes& axes) {
    if (!text || !*text) return;
    uint32_t count = value;
    ParseOutcome outcome = ParseMeasureOnAxis(text, count, unit, kind, AxisOfKind(axes, kind), &platformCharClass);
    if (ParseWantsBeep(outcome)) MessageBeep(0);
    value = count;
}
