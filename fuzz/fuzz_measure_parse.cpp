// Typed measures for every unit and kind on arbitrary axis descriptions.
// Input: unit, kind, AxisInfo (16 bytes), the caller's count, then the text.
#include <cstring>

#include "core/measure.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const int unit = static_cast<int>(in.Byte() % 5) - 1;  // -1 .. 3
    const unsigned kind = in.Byte() & 3u;
    const AxisInfo axis = in.Axis();
    const uint32_t before = in.U32();
    std::vector<char> text = in.Text();
    const bool typedNothing = text[0] == '\0';

    uint32_t value = before;
    const ParseOutcome outcome = ParseMeasureOnAxis(text.data(), value, unit, kind, axis, nullptr);

    FUZZ_CHECK(typedNothing == (outcome == ParseEmpty));
    if (outcome == ParseChanged) {
        FUZZ_CHECK(value != before);
        if (!KindIsResolution(kind))
            FUZZ_CHECK(value <= static_cast<uint32_t>(axis.maximum) - static_cast<uint32_t>(axis.minimum));
    } else {
        FUZZ_CHECK(value == before);
    }
    if (!typedNothing) {
        FUZZ_CHECK(std::strchr(text.data(), ' ') == nullptr);
        FUZZ_CHECK(std::strchr(text.data(), '\t') == nullptr);
    }
    return 0;
}
