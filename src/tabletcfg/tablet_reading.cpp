// The tablet as tabletcfg records it: identification, size, cursors with
// their buttons, and the settings the control panel edits, all read from
// the driver without writing anything to it.
#include <cstring>

#include "defs/features.h"
#include "driver/driver.h"
#include "exchange/exchange.h"
#include "exchange/preferences.h"
#include "exchange/tablet_report.h"
#include "tabletcfg/tabletcfg.h"

namespace {

void CopyBounded(char* out, size_t size, const char* text) {
    std::strncpy(out, text, size - 1);
    out[size - 1] = '\0';
}

// The names one after another, each ended by a NUL, the list by an empty one.
void ReadButtonNames(DWORD cursor, CursorSettings& settings) {
    const DriverText names(CursorInfo + cursor, CursorButtonNames);
    const char* name = names.Begin();
    for (uint32_t b = 0; name && b < settings.buttonCount && *name; ++b) {
        CopyBounded(settings.buttonNames[b], FileButtonNameSize, name);
        name += std::strlen(name) + 1;
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

namespace {

// The line export and import say when the settings cannot be read whole.
std::string UnreadProblem(uint32_t unread) {
    if (unread & UnreadContext) return "the tablet's tracking settings cannot be read: no system context answers";
    if (unread & UnreadButtonMap) return "the button map of the tablet's active cursor cannot be read";
    return LoadText(IDS_TABLET_NOT_ANSWERING);
}

}  // namespace

bool ReadTablet(TabletSettings& tablet, TabletScale& scale, std::string& problem, AreaBox* heldArea) {
    std::memset(&tablet, 0, sizeof tablet);
    std::memset(&scale, 0, sizeof scale);
    ReadDeviceIdentification(tablet.identification, sizeof tablet.identification);
    if (!ReadAxis(DeviceAxisX, scale.axisX) || !ReadAxis(DeviceAxisY, scale.axisY)) {
        problem = LoadText(IDS_TABLET_NOT_ANSWERING);
        return false;
    }
    tablet.width = AxisExtent(scale.axisX);
    tablet.height = AxisExtent(scale.axisY);
    // Areas are counted on the tablet: one without extent has none to keep.
    if (tablet.width == 0 || tablet.height == 0) {
        problem = std::string("the tablet reports no ") + (tablet.width == 0 ? "width" : "height") +
                  ", so its tracking area cannot be saved or put back";
        return false;
    }
    scale.penOption = PenOptionSupported() != 0;

    SetupSettings settings;
    std::memset(&settings, 0, sizeof settings);
    if (!ReadStoredSettings(settings, heldArea)) {
        problem = UnreadProblem(settings.unread);
        return false;
    }
    tablet.mode = settings.mode;
    tablet.sensitivity = settings.sensitivity;
    tablet.left = settings.area.left;
    tablet.top = settings.area.top;
    tablet.right = settings.area.right;
    tablet.bottom = settings.area.bottom;
    DWORD enabled = 0, first = 0, count = 0;
    if (!ReadCursorTypes(first, count)) {
        problem = LoadText(IDS_TABLET_NOT_ANSWERING);
        return false;
    }
    tablet.enabledCursor = FindActiveCursor(first, count, enabled) ? enabled : NoEnabledCursor;
    tablet.unit = ReadUnitPreference();

    // The file holds no more cursor types than this, so no more are walked,
    // whatever count the driver reports.
    WalkCursorTypes(first, count, FileCursorLimit, [&](DWORD, DWORD number) {
        if (ReadCursor(number, tablet.cursors[tablet.cursorCount])) ++tablet.cursorCount;
        return true;
    });
    if (tablet.cursorCount == 0) problem = "no cursor of the tablet answers with its button map";
    return tablet.cursorCount != 0;
}

void LoadActionTexts(ActionTexts& actions) {
    for (uint32_t code = 0; code < ActionCodeCount; ++code) {
        actions.texts[code] = LoadText(IDS_ACTION_FIRST + code);
        actions.names[code] = actions.texts[code].c_str();
    }
}
