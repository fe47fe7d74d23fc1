// The Tablet Setup dialog's exchange of whole settings records with the
// driver: reading, writing, probing and committing. The settings live in the
// device's "Default System" contexts, the default system context and the
// active cursor's system button map.
#include <cstring>

#include "app/app.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "setup/setup.h"
#include "setup/setup_private.h"

namespace {

bool MatchesSelectedDevice(const ContextRecord& record) {
    return IsDefaultSystemName(record.name) && record.device == SelectDevice();
}

// One enumeration of the manager's contexts: the callback it serves and how
// many contexts it has been shown. A driver that goes on enumerating past the
// walk limit gets 0 (stop) and no more work is done for it.
struct ContextWalk {
    ContextEnumProc callback;
    LPARAM parameter;
    DWORD visited;
};

BOOL WINAPI VisitWithinLimit(ContextHandle context, LPARAM walkParameter) {
    ContextWalk& walk = *reinterpret_cast<ContextWalk*>(walkParameter);
    if (walk.visited >= DriverWalkLimit) return 0;
    ++walk.visited;
    return walk.callback(context, walk.parameter);
}

void EnumerateContexts(ContextEnumProc callback, LPARAM parameter) {
    ContextWalk walk = {callback, parameter, 0};
    VXMgrContextEnum(managerHandle, VisitWithinLimit, reinterpret_cast<LPARAM>(&walk));
}

// The context the settings are read from: the first "Default System" context
// of the selected device, or the default system context when the device has
// none, so that the dialog still shows what the driver uses. 0 when neither.
ContextHandle SourceContext() {
    ContextHandle handle = 0;
    EnumerateContexts(FindDefaultSystemContext, reinterpret_cast<LPARAM>(&handle));
    if (!handle) handle = VXMgrDefContext(managerHandle, 1);
    return handle;
}

// Reads the source context into record; false (record zeroed) when there is
// none or the driver does not answer.
bool ReadSourceContext(ContextRecord& record) {
    memset(&record, 0, sizeof record);
    ContextHandle handle = SourceContext();
    return handle && ReadContextRecord(handle, record);
}

// The cursor's system button map; no answer leaves the map as it was.
bool ReadSystemButtonMap(DWORD cursor, ButtonMap& map) {
    return ReadDriverRecord(CursorInfo + cursor, CursorSystemButtonMap, map) != 0;
}

// The tablet's extents, each read once and checked, so that nothing worked
// out from an axis the driver no longer answers for is written.
bool ReadTabletExtents(DWORD& width, DWORD& height) {
    AxisInfo x, y;
    bool haveX = ReadAxis(DeviceAxisX, x);
    bool haveY = ReadAxis(DeviceAxisY, y);
    width = static_cast<DWORD>(x.maximum) - static_cast<DWORD>(x.minimum);
    height = static_cast<DWORD>(y.maximum) - static_cast<DWORD>(y.minimum);
    return haveX && haveY;
}

BYTE* RestoreDefaultMap() { return VX_DEFAULT_BUTTON_MAP; }

// The driver's default map is only readable by restoring it for a moment.
// The user's map always goes back: to the active cursor asked afresh, or,
// should that query fail, to the cursor whose default was restored.
void ReadDefaultMap(const ButtonMap& userMap, ButtonMap& defaultMap) {
    DWORD restored, cursor;
    if (!ReadFirstActiveCursor(restored)) return;
    VXMgrCsrButtonMap(managerHandle, restored, nullptr, RestoreDefaultMap());
    if (ReadFirstActiveCursor(cursor)) ReadSystemButtonMap(cursor, defaultMap);
    if (!ReadFirstActiveCursor(cursor)) cursor = restored;
    ButtonMap putBack = userMap;
    VXMgrCsrButtonMap(managerHandle, cursor, nullptr, putBack.entry);
}

// The confirmation shown before settings that take the mouse clicks away.
int ConfirmLostClicks(HWND window, DWORD mask) {
    char text[160] = "";
    char ending[80] = "";
    char title[80] = "";
    HINSTANCE instance = appInstance ? appInstance : GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_WILL_DISABLE, text, 80);
    LoadStringA(instance, LostClicksWarningString(mask), ending, sizeof ending);
    LoadStringA(instance, IDS_WARNING, title, sizeof title);
    strncat(text, ending, sizeof text - strlen(text) - 1);
    return MessageBoxA(window, text, title, MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
}

}  // namespace

BOOL WINAPI FindDefaultSystemContext(ContextHandle context, LPARAM parameter) {
    ContextRecord record;
    memset(&record, 0, sizeof record);
    ReadContextRecord(context, record);
    if (!MatchesSelectedDevice(record)) return 1;
    *reinterpret_cast<ContextHandle*>(parameter) = context;
    return 0;
}

BOOL WINAPI UpdateDefaultSystemContext(ContextHandle context, LPARAM parameter) {
    const ContextRecord& prepared = *reinterpret_cast<const ContextRecord*>(parameter);
    ContextRecord record;
    memset(&record, 0, sizeof record);
    ReadContextRecord(context, record);
    if (MatchesSelectedDevice(record)) {
        CopySettingsFields(prepared, record);
        VXSetA(context, &record);
    }
    return 1;  // every matching context is updated
}

bool LoadSettings(SetupSettings& settings) {
    ContextRecord record;
    ReadSourceContext(record);
    DWORD width, height;
    bool haveTablet = ReadTabletExtents(width, height);
    // An area off the tablet is brought onto it here, so what the dialog
    // shows is what it writes.
    SettingsFromContext(record, width, height, PenOptionInContext(record) != 0, settings);

    DWORD cursor;
    if (!ReadFirstActiveCursor(cursor)) return false;
    ButtonMap defaultMap;
    memset(&defaultMap, 0, sizeof defaultMap);
    // A map that cannot be read is not restored to its default either, so
    // nothing is written on its behalf.
    if (ReadSystemButtonMap(cursor, settings.buttonMap)) ReadDefaultMap(settings.buttonMap, defaultMap);
    settings.defaultButtons = SameButtonMap(defaultMap, settings.buttonMap) == 0 ? 1 : 0;
    return haveTablet;
}

bool ApplySettings(SetupSettings& settings) {
    ContextRecord record;
    bool haveRecord = ReadSourceContext(record);
    DWORD width, height;
    // Nothing is written when the tablet's extents or its cursor cannot be
    // read: every value below would be worked out from a failed query.
    if (!ReadTabletExtents(width, height)) return false;
    SettingsToContext(settings, width, height, record);

    DWORD cursor;
    if (settings.defaultButtons == 1) {
        if (!ReadFirstActiveCursor(cursor)) return false;
        VXMgrCsrButtonMap(managerHandle, cursor, nullptr, RestoreDefaultMap());
        if (ReadFirstActiveCursor(cursor)) ReadSystemButtonMap(cursor, settings.buttonMap);
    } else {
        if (PenOptionSupported()) TranslatePenCodes(settings.buttonMap);
        if (!ReadFirstActiveCursor(cursor)) return false;
        VXMgrCsrButtonMap(managerHandle, cursor, nullptr, settings.buttonMap.entry);
    }

    EnumerateContexts(UpdateDefaultSystemContext, reinterpret_cast<LPARAM>(&record));
    // The whole record becomes the default system context, so it must be one
    // the driver gave us: a record that could not be read is never written.
    ContextHandle defaultSystem = VXMgrDefContext(managerHandle, 1);
    if (haveRecord && defaultSystem) VXSetA(defaultSystem, &record);
    return true;
}

void ProbeSettings() {
    SetupSettings before;
    memset(&before, 0, sizeof before);
    // Without the tablet nothing is written, so there is nothing to read back.
    if (!LoadSettings(before) || !ApplySettings(workingSettings)) return;
    // The probe takes from the driver only what it stores differently (a
    // default map, a whole-tablet area); the tracking mode and sensitivity
    // stay as the dialog shows them.
    SetupSettings probed = workingSettings;
    LoadSettings(probed);
    probed.mode = workingSettings.mode;
    probed.sensitivity = workingSettings.sensitivity;
    workingSettings = probed;
    ApplySettings(before);
}

namespace {

// OK and Test: the clicks the warning guards are those of reference, or,
// without one, of the map the driver holds before the commit.
int Commit(HWND window, SetupSettings& settings, const ButtonMap* reference) {
    SetupSettings backup;
    memset(&backup, 0, sizeof backup);
    LoadSettings(backup);
    if (!ApplySettings(settings)) {
        // The tablet no longer answers: nothing was written; the dialog
        // stays open so that Cancel can still put the settings back.
        ShowErrorBox(window, IDS_TABLET_NOT_ANSWERING);
        return 0;
    }

    DWORD buttonCount = ReadDriverDword(CursorInfo + FirstActiveCursor(), CursorButtonCount) & 0xFF;
    DWORD lost = NewlyLostClicks(reference ? *reference : backup.buttonMap, settings.buttonMap, buttonCount);
    if (lost == 0) return 1;

    // The pen would lose its clicks: keep the previous settings while asking.
    ApplySettings(backup);
    if (ConfirmLostClicks(window, lost) != IDOK) return 0;
    ApplySettings(settings);
    return 1;
}

}  // namespace

int CommitSettings(HWND window, SetupSettings& settings, const ButtonMap& openedMap) {
    return Commit(window, settings, &openedMap);
}

int CommitSettings(HWND window, SetupSettings& settings) { return Commit(window, settings, nullptr); }
