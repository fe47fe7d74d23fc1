// The tablet as tabletcfg records it: identification, size, cursors with
// their buttons, and the settings the control panel edits, all from one
// snapshot of the driver, taken without writing anything to it.
#include <cstring>

#include "defs/features.h"
#include "exchange/exchange.h"
#include "exchange/preferences.h"
#include "exchange/tablet_report.h"
#include "tabletcfg/tabletcfg.h"

namespace {

TabletSnapshot cfgTablet;  // too large for the stack of a small program

void CopyBounded(char* out, size_t size, const char* text) {
    std::strncpy(out, text, size - 1);
    out[size - 1] = '\0';
}

// A cursor type as the file records it; false when its map or button count
// did not answer whole.
bool TakeCursor(const CursorEntry& entry, const CursorButtons& buttons, CursorSettings& settings) {
    if (!buttons.mapWhole || !buttons.countWhole) return false;
    settings.number = entry.number;
    CopyBounded(settings.name, sizeof settings.name, entry.name);
    settings.buttonCount = buttons.buttonCount < FileButtonLimit ? buttons.buttonCount : FileButtonLimit;
    for (uint32_t b = 0; b < settings.buttonCount && b < buttons.nameCount; ++b)
        CopyBounded(settings.buttonNames[b], FileButtonNameSize, ButtonName(buttons, b));
    std::memcpy(settings.map, buttons.map.entry, sizeof settings.map);
    return true;
}

// The line export and import say when the settings cannot be read whole.
std::string UnreadProblem(uint32_t unread) {
    if (unread & UnreadContext) return "the tablet's tracking settings cannot be read: no system context answers";
    if (unread & UnreadButtonMap) return "the button map of the tablet's active cursor cannot be read";
    return LoadText(IDS_TABLET_NOT_ANSWERING);
}

}  // namespace

bool ReadTablet(TabletSettings& tablet, TabletScale& scale, std::string& problem, const TabletReading& reading) {
    std::memset(&tablet, 0, sizeof tablet);
    std::memset(&scale, 0, sizeof scale);
    unsigned parts = SnapName | SettingsParts | SnapCursorNames | SnapEveryMap;
    if (reading.buttonNames) parts |= SnapEveryButton;
    TakeSnapshot(cfgTablet, parts);
    DeviceIdentification(cfgTablet, tablet.identification, sizeof tablet.identification);
    if (!cfgTablet.axesWhole) {
        problem = LoadText(IDS_TABLET_NOT_ANSWERING);
        return false;
    }
    scale.axisX = cfgTablet.axisX;
    scale.axisY = cfgTablet.axisY;
    tablet.width = TabletWidth(cfgTablet);
    tablet.height = TabletHeight(cfgTablet);
    // Areas are counted on the tablet: one without extent has none to keep.
    if (tablet.width == 0 || tablet.height == 0) {
        problem = std::string("the tablet reports no ") + (tablet.width == 0 ? "width" : "height") +
                  ", so its tracking area cannot be saved or put back";
        return false;
    }
    scale.penOption = cfgTablet.penOption;

    SetupSettings settings;
    SettingsFromSnapshot(cfgTablet, settings, reading.heldArea);
    if (settings.unread & ~UnreadDefaultMap) {
        problem = UnreadProblem(settings.unread);
        return false;
    }
    if (reading.basis) *reading.basis = settings.basis;
    tablet.mode = settings.mode;
    tablet.sensitivity = settings.sensitivity;
    tablet.left = settings.area.left;
    tablet.top = settings.area.top;
    tablet.right = settings.area.right;
    tablet.bottom = settings.area.bottom;
    // With no cursor type active the file says none is enabled, as the driver does.
    tablet.enabledCursor = cfgTablet.hasActive ? cfgTablet.cursors[cfgTablet.activePosition].number : NoEnabledCursor;
    tablet.unit = ReadUnitPreference(cfgTablet);

    // The file holds no more cursor types than the snapshot details.
    for (DWORD p = 0; p < cfgTablet.detailed; ++p)
        if (TakeCursor(cfgTablet.cursors[p], cfgTablet.details[p], tablet.cursors[tablet.cursorCount]))
            ++tablet.cursorCount;
    if (tablet.cursorCount == 0) problem = "no cursor of the tablet answers with its button map";
    return tablet.cursorCount != 0;
}

void LoadActionTexts(ActionTexts& actions) {
    for (uint32_t code = 0; code < ActionCodeCount; ++code) {
        actions.texts[code] = LoadText(IDS_ACTION_FIRST + code);
        actions.names[code] = actions.texts[code].c_str();
    }
}
