// Sensitivity percentage <-> the driver's 16.16 factor: 100 percent stands
// for the tablet's resolution (at most 500 counts per unit) in counts.
#include "core/sensitivity.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/fixed_point.h"
#include "core/muldiv.h"

namespace {

constexpr uint32_t MaximumBase = 500;
constexpr uint32_t FixedOne = 65536;
constexpr uint32_t CentimetresPerInchFixed = 166461;  // 2.54 in 16.16
constexpr uint32_t MaximumPercent = 100;

}  // namespace

SensitivityScale MakeSensitivityScale(uint32_t resolution, bool centimetres) {
    SensitivityScale scale;
    scale.resolution = resolution;
    scale.centimetres = centimetres;
    const uint32_t rounded = RoundFixed(resolution);
    scale.base = rounded > MaximumBase ? MaximumBase : rounded;
    return scale;
}

bool HasSensitivityScale(const SensitivityScale& scale) { return scale.base != 0 && (scale.resolution >> 1) != 0; }

uint32_t SensitivityToPercentValue(uint32_t sensitivity, const SensitivityScale& scale) {
    // A resolution that rounds to 0 counts per unit gives no scale for a
    // percentage; show 0 rather than divide by it.
    if (scale.base == 0) return 0;
    uint32_t e = MulDivHalved(sensitivity, scale.resolution, FixedOne);
    if (scale.centimetres) e = MulDivHalved(e, CentimetresPerInchFixed, FixedOne);
    const uint32_t q = e / scale.base;
    // A factor far above 100 percent would wrap in 32 bits; it is capped instead.
    if (q > 0xFFFFFFFFu / MaximumPercent) return MaximumPercent;
    const uint32_t percent = RoundFixed(q * MaximumPercent);
    return percent > MaximumPercent ? MaximumPercent : percent;
}

uint32_t PercentToSensitivityValue(uint32_t percent, const SensitivityScale& scale) {
    uint32_t s = (percent * scale.base) << 16;
    if (scale.centimetres) s = MulDivHalved(s, FixedOne, CentimetresPerInchFixed);
    // A resolution below 2/65536 halves to a zero divisor; there is no factor then.
    if ((scale.resolution >> 1) == 0) return 0;
    return MulDivHalved(s, FixedOne, scale.resolution) / MaximumPercent;
}

void FormatPercent(uint32_t percent, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    std::snprintf(out, outSize, "%d%%", static_cast<int>(percent));
}

SensitivityParse ReadSensitivityValue(char* text, uint32_t& percent, uint32_t maximum, const CharClass* cls) {
    if (text == nullptr || text[0] == '\0') return SensitivityEmpty;
    const size_t length = std::strlen(text);
    if (text[length - 1] == '%') text[length - 1] = '\0';
    for (const char* p = text; *p != '\0'; ++p)
        if (!IsTypedDigit(cls, *p)) return SensitivityRejected;
    // Only digits remain, so the value is never negative; strtol saturates.
    const long value = std::strtol(text, nullptr, 10);
    if (value == 0) return SensitivityZero;
    if (static_cast<unsigned long>(value) > maximum) {
        percent = maximum;
        return SensitivityClamped;
    }
    percent = static_cast<uint32_t>(value);
    return SensitivityAccepted;
}
