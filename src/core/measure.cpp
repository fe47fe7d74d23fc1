// Tablet counts to inches or centimetres and back, with the program's number
// format: at most two decimals, trailing zeros dropped, a unit suffix.
#include "core/measure.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr double CentimetresPerInch = 2.54;
constexpr double InchesPerCentimetre = 0.39370078740157477;  // nearest double to 1 / 2.54
constexpr double FixedScale = 1.52587890625e-05;             // 1 / 65536
constexpr double RoundingOffset = 0.5;

// Powers of ten by number of decimals; the format uses two.
constexpr int FractionScales[] = {1, 10, 100, 1000, 10000};
constexpr int Decimals = 2;
constexpr double FractionScale = FractionScales[Decimals];

const char* const LengthSuffixes[] = {"\"", " cm", ""};
const char* const ResolutionSuffixes[] = {" dpi", " dpcm", ""};

const char* SuffixFor(int unit, unsigned kind) {
    if (unit < UnitInches || unit > UnitCounts) return "";
    return KindIsResolution(kind) ? ResolutionSuffixes[unit] : LengthSuffixes[unit];
}

double AxisResolution(const AxisInfo& axis) { return axis.resolution * FixedScale; }

// The whole part of a real as a 32-bit integer, only when it has one.
bool TruncToInt32(double v, int32_t& out) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return false;  // NaN fails too
    out = static_cast<int32_t>(v);
    return true;
}

bool AsciiAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool AsciiAlphaNumeric(char c) { return AsciiAlpha(c) || (c >= '0' && c <= '9'); }

// Removes trailing zeros after the point, keeps at most two decimals and
// drops a point left at the end.
void TrimFraction(char* text) {
    char* point = std::strchr(text, '.');
    if (point == nullptr) return;
    size_t length = std::strlen(text);
    while (length > static_cast<size_t>(point - text) + 1 && text[length - 1] == '0') text[--length] = '\0';
    if (length > static_cast<size_t>(point - text) + 1 + Decimals) point[1 + Decimals] = '\0';
    if (point[1] == '\0') *point = '\0';
}

void AppendBounded(char* out, size_t outSize, const char* tail) {
    const size_t used = std::strlen(out);
    if (used + 1 >= outSize) return;
    std::snprintf(out + used, outSize - used, "%s", tail);
}

}  // namespace

bool IsTypedDigit(const CharClass* cls, char c) {
    const bool alphaNumeric =
        (cls != nullptr && cls->isAlphaNumeric != nullptr) ? cls->isAlphaNumeric(c) : AsciiAlphaNumeric(c);
    return alphaNumeric && !IsTypedAlpha(cls, c);
}

bool IsTypedAlpha(const CharClass* cls, char c) {
    if (cls != nullptr && cls->isAlpha != nullptr) return cls->isAlpha(c);
    return AsciiAlpha(c);
}

double CountsToUnitsOnAxis(uint32_t count, int unit, unsigned kind, const AxisInfo& axis) {
    if (unit == UnitCounts) return static_cast<double>(count);
    const double r = AxisResolution(axis);
    double x;
    double factor;
    if (KindIsResolution(kind)) {
        x = count * r;
        factor = InchesPerCentimetre;
    } else {
        // A driver that reports no resolution gives no length rather than infinity.
        if (r == 0.0) return 0.0;
        x = count / r;
        factor = CentimetresPerInch;
    }
    if (axis.unitCode == static_cast<uint32_t>(unit) + 1) return x;
    if (unit == UnitInches) return x / factor;
    if (unit == UnitCentimetres) return x * factor;
    return x;
}

bool FormatMeasureOnAxis(uint32_t count, int unit, unsigned kind, const AxisInfo& axis, char out[MeasureTextSize]) {
    std::memset(out, 0, MeasureTextSize);
    const double v = CountsToUnitsOnAxis(count, unit, kind, axis);
    if (unit == UnitCounts && KindIsResolution(kind)) return false;
    const char* suffix = SuffixFor(unit, kind);

    // Each step truncates toward zero; a fraction that rounds up to a whole
    // hundred hundredths is carried into the whole part (2.999 becomes 3).
    // A value whose whole part does not fit 32 bits is shown as 0.
    int32_t i = 0, c = 0, j = 0, d = 0;
    bool fits = v != 0.0 && TruncToInt32(v, i) && TruncToInt32((v - i) * FractionScale + RoundingOffset, c);
    double w = 0.0;
    if (fits) {
        w = i + c / FractionScale;
        fits = TruncToInt32(w, j) && TruncToInt32((w - j) * FractionScale + RoundingOffset, d);
    }
    if (!fits) {
        std::snprintf(out, MeasureTextSize, "0%s", suffix);
        return true;
    }
    // Whole part, a point, the fraction as at least two digits.
    std::snprintf(out, MeasureTextSize, "%ld.%02d", static_cast<long>(j), static_cast<int>(d));
    TrimFraction(out);
    AppendBounded(out, MeasureTextSize, suffix);
    return true;
}

ParseOutcome ParseMeasureOnAxis(char* text, uint32_t& value, int unit, unsigned kind, const AxisInfo& axis,
                                const CharClass* cls) {
    if (text == nullptr || text[0] == '\0') return ParseEmpty;

    const double r = AxisResolution(axis);
    const bool resolution = KindIsResolution(kind);
    double factor = 1.0;
    if (unit == UnitInches) factor = resolution ? InchesPerCentimetre : CentimetresPerInch;
    if (unit == UnitCentimetres) factor = resolution ? CentimetresPerInch : InchesPerCentimetre;
    const uint32_t upperBound = resolution ? 0xFFFFFFFFu : AxisExtent(axis);

    // Suffixes are compared without their blanks, as the text is.
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "%s", SuffixFor(unit, kind));
    RemoveBlanks(suffix);
    RemoveBlanks(text);
    const size_t length = std::strlen(text);
    const size_t suffixLength = std::strlen(suffix);
    if (length >= suffixLength && std::strcmp(text + length - suffixLength, suffix) == 0)
        text[length - suffixLength] = '\0';

    bool pointSeen = false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (IsTypedDigit(cls, *p)) continue;
        if (*p == '.' && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (p[0] == 'e' && p[1] == '-') {
            ++p;
            continue;
        }
        return ParseRejected;
    }

    // strtod reads exactly what atof reads, with a defined result on overflow.
    double x = std::strtod(text, nullptr);
    if (unit != UnitCounts) {
        // Without a resolution no count can be worked out.
        if (r == 0.0) return ParseTooLarge;
        if (axis.unitCode != static_cast<uint32_t>(unit) + 1) x *= factor;
        x *= resolution ? 1.0 / r : r;
    }
    const double rounded = x + RoundingOffset;
    if (!(rounded >= 0.0 && rounded < 4294967296.0)) return ParseTooLarge;
    const uint32_t n = static_cast<uint32_t>(rounded);
    if (n > upperBound) return ParseTooLarge;
    if (n == value) return ParseUnchanged;
    value = n;
    return ParseChanged;
}

void RemoveBlanks(char* text) {
    if (text == nullptr) return;
    char* to = text;
    for (const char* from = text; *from != '\0'; ++from)
        if (*from != ' ' && *from != '\t') *to++ = *from;
    *to = '\0';
}
