// tabletcfg's settings file reader. Input: a flags byte (1 the pen option,
// 2 a centimetre tablet, 4 a device with one cursor only), then the file.
// A file that reads holds only what the device allows, and writing what was
// read gives a file that reads back the same.
#include <cstring>
#include <memory>

#include "../tests/cases/settings_file_cases.h"
#include "fuzz_input.h"
#include "core/area_math.h"
#include "tabletcfg/settings_file.h"

using namespace settings_file_cases;

namespace {

void FillDevice(uint8_t flags, TabletSettings& t, TabletScale& scale) {
    std::memset(&t, 0, sizeof t);
    std::strcpy(t.identification, Identification);
    t.width = Width;
    t.height = Height;
    t.mode = 1;
    t.sensitivity = 0x8000;
    t.right = Width;
    t.bottom = Height;
    t.cursorCount = (flags & 4) ? 1 : sizeof Cursors / sizeof Cursors[0];
    for (uint32_t c = 0; c < t.cursorCount; ++c) {
        t.cursors[c].number = Cursors[c].number;
        std::strcpy(t.cursors[c].name, Cursors[c].name);
        t.cursors[c].buttonCount = Cursors[c].buttonCount;
        std::memcpy(t.cursors[c].map, Cursors[c].map, sizeof Cursors[c].map);
    }
    const bool cm = (flags & 2) != 0;
    const uint32_t unit = cm ? AxisUnitCentimetres : AxisUnitInches;
    const uint32_t resolution = (cm ? 400u : CountsPerInch) << 16;
    scale.axisX = AxisInfo{0, static_cast<int32_t>(Width), unit, resolution};
    scale.axisY = AxisInfo{0, static_cast<int32_t>(Height), unit, resolution};
    scale.penOption = (flags & 1) != 0;
}

void CheckAllowed(const TabletSettings& device, const TabletScale& scale, const TabletSettings& r) {
    FUZZ_CHECK(std::memcmp(r.identification, device.identification, sizeof r.identification) == 0);
    FUZZ_CHECK(r.width == device.width && r.height == device.height && r.cursorCount == device.cursorCount);
    FUZZ_CHECK(
        AreaFitsTablet(AreaBox{r.left, r.top, r.right, r.bottom}, r.width, r.height, AreaStep(scale.axisX.resolution)));
    uint32_t lowest, highest;
    SensitivityBounds(scale, lowest, highest);
    FUZZ_CHECK(r.sensitivity >= lowest && r.sensitivity <= highest);
    FUZZ_CHECK(r.mode <= 1 && (r.unit == 0 || r.unit == 1));
    bool enabledKnown = false;
    for (uint32_t c = 0; c < r.cursorCount; ++c) {
        enabledKnown = enabledKnown || r.cursors[c].number == r.enabledCursor;
        for (uint32_t b = 0; b < r.cursors[c].buttonCount; ++b)
            FUZZ_CHECK((r.cursors[c].map[b] & ActionCodeMask) < (scale.penOption ? PenOptionCodeCount : ActionCodeCount) ||
                       r.cursors[c].map[b] == device.cursors[c].map[b]);
    }
    FUZZ_CHECK(enabledKnown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    std::vector<char> text = in.Text();
    const size_t length = text.size() - 1;

    static TabletSettings device, result, again;
    TabletScale scale;
    FillDevice(flags, device, scale);
    FileProblem problem;
    if (!ReadSettingsFile(text.data(), length, device, scale, Cp1252FromUnicode, result, problem)) {
        FUZZ_CHECK(std::memchr(problem.text, '\0', sizeof problem.text) != nullptr && problem.text[0] != '\0');
        FUZZ_CHECK(problem.line <= length + 1);
        return 0;
    }
    CheckAllowed(device, scale, result);
    const std::string written = WriteSettingsFile(result, scale, ActionTexts);
    FUZZ_CHECK(ReadSettingsFile(written.data(), written.size(), device, scale, Cp1252FromUnicode, again, problem));
    FUZZ_CHECK(std::memcmp(&again, &result, sizeof result) == 0);
    FUZZ_CHECK(DescribeChanges(result, again, scale, ActionTexts).empty());
    return 0;
}
