// Sensitivity percentage <-> the driver's 16.16 factor. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/measure.h"

// resolution: the x axis resolution (16.16); centimetres: the x axis unit.
struct SensitivityScale {
    uint32_t resolution;
    bool centimetres;
    uint32_t base;  // counts per unit that 100 percent stands for
};

// base := the rounded resolution, at most 500.
SensitivityScale MakeSensitivityScale(uint32_t resolution, bool centimetres);

// False when the scale has no base (the resolution rounds to 0 counts per
// unit) or the resolution is too small to divide by: no percentage then
// stands for a driver sensitivity, so none may be worked out and written.
bool HasSensitivityScale(const SensitivityScale& scale);

// The percentage shown for a driver sensitivity, at most 100 (may be 0).
uint32_t SensitivityToPercentValue(uint32_t sensitivity, const SensitivityScale& scale);

// The driver sensitivity that a percentage stands for.
uint32_t PercentToSensitivityValue(uint32_t percent, const SensitivityScale& scale);

// "75%": percent printed with "%d" and a percent sign.
void FormatPercent(uint32_t percent, char* out, size_t outSize);

enum SensitivityParse {
    SensitivityEmpty,     // nothing typed: no change, no beep
    SensitivityRejected,  // not only digits: beep, no change
    SensitivityZero,      // 0: beep, no change
    SensitivityClamped,   // above the maximum: percent := maximum, beep
    SensitivityAccepted,  // percent := value
};
inline bool SensitivityWantsBeep(SensitivityParse p) {
    return p == SensitivityRejected || p == SensitivityZero || p == SensitivityClamped;
}

// Validates typed text (a trailing "%" is removed in place) into percent.
SensitivityParse ReadSensitivityValue(char* text, uint32_t& percent, uint32_t maximum, const CharClass* cls);
