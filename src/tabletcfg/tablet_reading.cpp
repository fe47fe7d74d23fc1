// The tablet as tabletcfg records it: identification, size, cursors with
// their buttons, and the settings the control panel edits, all read from
// the driver without writing anything to it.
#include <cstring>
#include <vector>

#include "core/name_parts.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "exchange/exchange.h"
#include "exchange/preferences.h"
#include "tabletcfg/tabletcfg.h"

namespace {

// A driver's list of button names asks for its size first; a list longer
// than this is not a list of button names.
constexpr UINT LongestButtonNames = 64 * 1024;

void CopyBounded(char* out, size_t size, const char* text) {
    std::strncpy(out, text, size - 1);
    out[size - 1] = '\0';
}

// The names one after another, each ended by a NUL, the list by an empty one.
void ReadButtonNames(DWORD cursor, CursorSettings& settings) {
    const UINT size = VXInfoA(CursorInfo + cursor, CursorButtonNames, nullptr);
    if (size == 0 || size > LongestButtonNames) return;
    std::vector<char> names(size + 2, '\0');
    if (VXInfoA(CursorInfo + cursor, CursorButtonNames, names.data()) == 0) return;
    names[size] = names[size + 1] = '\0';
    const char* name = names.data();
    for (uint32_t b = 0; b < settings.buttonCount && *name; ++b) {
        CopyBounded(settings.buttonNames[b], FileButtonNameSize, name);
        name += std::strlen(name) + 1;
        if (name >= names.data() + size) break;
    }
}

bool ReadCursor(DWORD cursor, CursorSettings& settings) {
    settings.number = cursor;
    ReadDriverText(CursorInfo + cursor, CursorName, settings.name, sizeof settings.name);
    uint8_t count = 0;
    ReadDriverRecord(CursorInfo + cursor, CursorButtonCount, count);
    settings.buttonCount = count < FileButtonLimit ? count : FileButtonLimit;
    ReadButtonNames(cursor, settings);
    ButtonMap map;
    std::memset(&map, 0, sizeof map);
    if (ReadDriverRecord(CursorInfo + cursor, CursorSystemButtonMap, map) == 0) return false;
    std::memcpy(settings.map, map.entry, sizeof settings.map);
    return true;
}

}  // namespace

bool ReadTablet(TabletSettings& tablet, TabletScale& scale) {
    std::memset(&tablet, 0, sizeof tablet);
    std::memset(&scale, 0, sizeof scale);
    char name[200] = "";
    ReadDriverText(DeviceCategory(), DeviceName, name, sizeof name);
    CopyIdentification(name, tablet.identification, sizeof tablet.identification);
    if (!ReadAxis(DeviceAxisX, scale.axisX) || !ReadAxis(DeviceAxisY, scale.axisY)) return false;
    tablet.width = AxisExtent(scale.axisX);
    tablet.height = AxisExtent(scale.axisY);
    scale.penOption = PenOptionSupported() != 0;

    SetupSettings settings;
    std::memset(&settings, 0, sizeof settings);
    if (!ReadStoredSettings(settings)) return false;
    tablet.mode = settings.mode;
    tablet.sensitivity = settings.sensitivity;
    tablet.left = settings.area.left;
    tablet.top = settings.area.top;
    tablet.right = settings.area.right;
    tablet.bottom = settings.area.bottom;
    DWORD enabled = 0;
    if (!ReadFirstActiveCursor(enabled)) return false;
    tablet.enabledCursor = enabled;
    tablet.unit = ReadUnitPreference();

    const DWORD first = ReadDriverDword(DeviceCategory(), DeviceFirstCursor);
    const DWORD count = ReadDriverDword(DeviceCategory(), DeviceCursorCount);
    for (DWORD i = 0; i < count && tablet.cursorCount < FileCursorLimit; ++i)
        if (ReadCursor(first + i, tablet.cursors[tablet.cursorCount])) ++tablet.cursorCount;
    return tablet.cursorCount != 0;
}

void LoadActionTexts(ActionTexts& actions) {
    for (uint32_t code = 0; code < ActionCodeCount; ++code) {
        actions.texts[code] = LoadText(IDS_ACTION_FIRST + code);
        actions.names[code] = actions.texts[code].c_str();
    }
}
