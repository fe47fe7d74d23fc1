// The sensitivity text and the percentage <-> factor conversions.
// Input: resolution, unit flag, driver sensitivity, maximum, current
// percentage, buffer size, then the typed text.
#include <cstring>
#include <memory>

#include "fuzz_input.h"
#include "core/sensitivity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t resolution = in.U32();
    const bool centimetres = (in.Byte() & 1) != 0;
    const uint32_t sensitivity = in.U32();
    const uint32_t maximum = in.Byte() % 2 ? 100 : in.U32();
    const uint32_t before = in.U32();
    const size_t outSize = 1 + in.Byte() % 12;
    std::vector<char> text = in.Text();

    const SensitivityScale scale = MakeSensitivityScale(resolution, centimetres);
    FUZZ_CHECK(scale.base <= 500);
    const uint32_t percent = SensitivityToPercentValue(sensitivity, scale);
    FUZZ_CHECK(percent <= 100);
    const uint32_t written = PercentToSensitivityValue(percent, scale);
    if (scale.base == 0) FUZZ_CHECK(percent == 0 && written == 0);
    PercentToSensitivityValue(before, scale);  // any percentage, even wrapped

    std::unique_ptr<char[]> out(new char[outSize]);
    FormatPercent(percent, out.get(), outSize);
    FUZZ_CHECK(std::memchr(out.get(), '\0', outSize) != nullptr);

    const bool typedNothing = text[0] == '\0';
    uint32_t value = before;
    const SensitivityParse outcome = ReadSensitivityValue(text.data(), value, maximum, nullptr);
    FUZZ_CHECK(typedNothing == (outcome == SensitivityEmpty));
    switch (outcome) {
        case SensitivityAccepted: FUZZ_CHECK(value >= 1 && value <= maximum); break;
        case SensitivityClamped: FUZZ_CHECK(value == maximum); break;
        default: FUZZ_CHECK(value == before); break;
    }
    return 0;
}
