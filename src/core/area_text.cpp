// The tracking area in words, from the measures as the fields show them.
#include "core/area_text.h"

#include <cstdio>
#include <cstring>

#include "core/measure.h"

namespace {

uint32_t Distance(int32_t from, int32_t to) {
    return from < to ? static_cast<uint32_t>(to) - static_cast<uint32_t>(from)
                     : static_cast<uint32_t>(from) - static_cast<uint32_t>(to);
}

uint32_t Position(int32_t at) { return at < 0 ? 0u : static_cast<uint32_t>(at); }

// A measure as the fields show it ("1.50\""), said without the zeros a
// reader would speak: "1.5\"", "8\"".
void Spoken(uint32_t count, int unit, unsigned kind, const AxisInfo& axis, char text[MeasureTextSize]) {
    FormatMeasureOnAxis(count, unit, kind, axis, text);
    char* point = std::strchr(text, '.');
    if (!point) return;
    char* end = point + 1;
    while (*end >= '0' && *end <= '9') ++end;
    char* last = end;
    while (last > point + 1 && last[-1] == '0') --last;
    if (last == point + 1) last = point;
    std::memmove(last, end, std::strlen(end) + 1);
}

}  // namespace

void SpokenAreaText(int32_t left, int32_t top, int32_t right, int32_t bottom, int unit, const AxisInfo& x,
                    const AxisInfo& y, char out[AreaTextSize]) {
    char width[MeasureTextSize], height[MeasureTextSize], fromLeft[MeasureTextSize], fromTop[MeasureTextSize];
    Spoken(Distance(left, right), unit, KindLengthX, x, width);
    Spoken(Distance(top, bottom), unit, KindLengthY, y, height);
    Spoken(Position(left < right ? left : right), unit, KindLengthX, x, fromLeft);
    Spoken(Position(top < bottom ? top : bottom), unit, KindLengthY, y, fromTop);
    std::snprintf(out, AreaTextSize, "%s wide, %s high, left %s, top %s", width, height, fromLeft, fromTop);
}
