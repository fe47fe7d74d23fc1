// Tablet counts to inches or centimetres and back, with the program's number
// format. Window-free: the axis description comes in as a value; the Win32
// glue (FormatMeasure and ParseMeasure in dialogs/dialogs.h) reads it from the
// driver afresh on every call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "defs/vellix_records.h"

enum MeasureUnit : int {
    UnitInches = 0,
    UnitCentimetres = 1,
    UnitCounts = 2,  // no conversion
};

// Bit 0: axis (0 x, 1 y). Bit 1: quantity (0 length, 1 resolution).
enum MeasureKind : unsigned {
    KindLengthX = 0,
    KindLengthY = 1,
    KindResolutionX = 2,
    KindResolutionY = 3,
};
inline bool KindIsVertical(unsigned kind) { return (kind & 1u) != 0; }
inline bool KindIsResolution(unsigned kind) { return (kind & 2u) != 0; }

// Size of the shared formatting buffer, terminator included.
constexpr size_t MeasureTextSize = 22;

// Characters classified as the platform's IsCharAlphaNumericA / IsCharAlphaA
// do. A null CharClass, or null members, mean the ASCII classification.
struct CharClass {
    bool (*isAlphaNumeric)(char c);
    bool (*isAlpha)(char c);
};
bool IsTypedDigit(const CharClass* cls, char c);  // alphanumeric but not alphabetic
bool IsTypedAlpha(const CharClass* cls, char c);

// The count expressed in the unit (a resolution kind: count times the axis
// resolution). A resolution of 0 yields 0 for lengths instead of infinity.
double CountsToUnitsOnAxis(uint32_t count, int unit, unsigned kind, const AxisInfo& axis);

// Writes the display text into out (MeasureTextSize bytes). Returns false and
// leaves out empty for a resolution in unit 2 (no text at all).
bool FormatMeasureOnAxis(uint32_t count, int unit, unsigned kind, const AxisInfo& axis, char out[MeasureTextSize]);

enum ParseOutcome {
    ParseEmpty,      // nothing typed: ignored, no beep
    ParseRejected,   // a character that is not allowed: beep, value kept
    ParseTooLarge,   // beyond the axis extent or 32 bits: beep, value kept
    ParseUnchanged,  // valid and equal to the value
    ParseChanged,    // valid, value replaced
};
inline bool ParseWantsBeep(ParseOutcome o) { return o == ParseRejected || o == ParseTooLarge; }

// Parses typed text (modified in place: blanks and suffix removed) into value.
ParseOutcome ParseMeasureOnAxis(char* text, uint32_t& value, int unit, unsigned kind, const AxisInfo& axis,
                                const CharClass* cls);

// Removes every space and tab in place; a null text is left alone.
void RemoveBlanks(char* text);
