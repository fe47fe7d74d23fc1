// The tracking area in words, from the measures as the fields show them.
#include "core/area_text.h"

#include "core/measure.h"

namespace {

uint32_t Distance(int32_t from, int32_t to) {
    return from < to ? static_cast<uint32_t>(to) - static_cast<uint32_t>(from)
                     : static_cast<uint32_t>(from) - static_cast<uint32_t>(to);
}

uint32_t Position(int32_t at) { return at < 0 ? 0u : static_cast<uint32_t>(at); }

// A measure as the fields show it ("1.50\""), said without the zeros a
// reader would speak: "1.5\"", "8\"".
std::string Spoken(uint32_t count, int unit, unsigned kind, const AxisInfo& axis) {
    char text[MeasureTextSize] = "";
    FormatMeasureOnAxis(count, unit, kind, axis, text);
    std::string measure(text);
    const size_t point = measure.find('.');
    if (point == std::string::npos) return measure;
    size_t end = measure.find_first_not_of("0123456789", point + 1);
    if (end == std::string::npos) end = measure.size();
    size_t last = end;
    while (last > point + 1 && measure[last - 1] == '0') --last;
    if (last == point + 1) last = point;
    return measure.erase(last, end - last);
}

}  // namespace

std::string SpokenAreaText(int32_t left, int32_t top, int32_t right, int32_t bottom, int unit, const AxisInfo& x,
                           const AxisInfo& y) {
    return Spoken(Distance(left, right), unit, KindLengthX, x) + " wide, " +
           Spoken(Distance(top, bottom), unit, KindLengthY, y) + " high, left " +
           Spoken(Position(left < right ? left : right), unit, KindLengthX, x) + ", top " +
           Spoken(Position(top < bottom ? top : bottom), unit, KindLengthY, y);
}
