// Formatting arbitrary counts on arbitrary axes, in every unit and kind, and
// reading the text back. Input: unit, kind, AxisInfo, then up to 16 counts.
#include <cmath>
#include <cstring>
#include <memory>

#include "core/measure.h"
#include "fuzz_input.h"

namespace {

// Digits, at most one point with one or two digits after it, then a suffix.
bool LooksLikeANumber(const char* text) {
    const char* p = text;
    if (*p < '0' || *p > '9') return false;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
        ++p;
        int decimals = 0;
        while (*p >= '0' && *p <= '9') ++p, ++decimals;
        if (decimals < 1 || decimals > 2 || p[-1] == '0') return false;
    }
    return std::strcmp(p, "") == 0 || std::strcmp(p, "\"") == 0 || std::strcmp(p, " cm") == 0 ||
           std::strcmp(p, " dpi") == 0 || std::strcmp(p, " dpcm") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const int unit = static_cast<int>(in.Byte() % 5) - 1;
    const unsigned kind = in.Byte() & 3u;
    const AxisInfo axis = in.Axis();
    int counts = 0;
    do {
        const uint32_t count = in.U32();
        const double v = CountsToUnitsOnAxis(count, unit, kind, axis);
        FUZZ_CHECK(std::isfinite(v) && v >= 0.0);

        // Exactly the shared buffer's size, so that any overrun is caught.
        std::unique_ptr<char[]> out(new char[MeasureTextSize]);
        const bool hasText = FormatMeasureOnAxis(count, unit, kind, axis, out.get());
        FUZZ_CHECK(std::memchr(out.get(), '\0', MeasureTextSize) != nullptr);
        FUZZ_CHECK(hasText == !(unit == UnitCounts && KindIsResolution(kind)));
        if (!hasText) {
            FUZZ_CHECK(out[0] == '\0');
            continue;
        }
        FUZZ_CHECK(LooksLikeANumber(out.get()));

        // What the program prints, the program accepts when typed back.
        uint32_t value = count;
        const ParseOutcome outcome = ParseMeasureOnAxis(out.get(), value, unit, kind, axis, nullptr);
        FUZZ_CHECK(outcome != ParseRejected && outcome != ParseEmpty);
    } while (!in.Empty() && ++counts < 16);
    return 0;
}
