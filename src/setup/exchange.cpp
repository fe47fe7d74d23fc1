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

// The context the settings are read from: the first "Default System" context
// of the selected device, or the default system context when the device has
// none, so that the dialog still shows what the driver uses. 0 when neither.
ContextHandle SourceContext() {
    ContextHandle handle = 0;
    VXMgrContextEnum(managerHandle, FindDefaultSystemContext, reinterpret_cast<LPARAM>(&handle));
    if (!handle) handle = VXMgrDefContext(managerHandle, 1);
    return handle;
}

// Reads the source context into record; false (record zeroed) when there is
// none or the driver does not answer.
bool ReadSourceContext(ContextRecord& record) {
    memset(&record, 0, sizeof record);
    ContextHandle handle = SourceContext();
    return handle && VXGetA(handle, &record);
}

// The cursor's system button map. The driver writes into room to spare, so
// an answer a little longer than a map does not reach past the buffer; no
// answer leaves the map as it was.
void ReadSystemButtonMap(DWORD cursor, ButtonMap& map) {
    BYTE buffer[64];
    memset(buffer, 0, sizeof buffer);
    memcpy(buffer, map.entry, sizeof map.entry);
    if (VXInfoA(CursorInfo + cursor, CursorSystemButtonMap, buffer))
        memcpy(map.entry, buffer, sizeof map.entry);
}

BYTE* RestoreDefaultMap() { return VX_DEFAULT_BUTTON_MAP; }

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
    VXGetA(context, &record);
    if (!MatchesSelectedDevice(record)) return 1;
    *reinterpret_cast<ContextHandle*>(parameter) = context;
    return 0;
}

BOOL WINAPI UpdateDefaultSystemContext(ContextHandle context, LPARAM parameter) {
    const ContextRecord& prepared = *reinterpret_cast<const ContextRecord*>(parameter);
    ContextRecord record;
    memset(&record, 0, sizeof record);
    VXGetA(context, &record);
    if (MatchesSelectedDevice(record)) {
        CopySettingsFields(prepared, record);
        VXSetA(context, &record);
    }
    return 1;  // every matching context is updated
}

void LoadSettings(SetupSettings& settings) {
    ContextRecord record;
    ReadSourceContext(record);
    DWORD width = TabletWidth();
    DWORD height = TabletHeight();
    SettingsFromContext(record, width, height, PenOptionInContext(record) != 0, settings);

    ReadSystemButtonMap(FirstActiveCursor(), settings.buttonMap);
    // The driver's default map is only readable by restoring it for a moment.
    VXMgrCsrButtonMap(managerHandle, FirstActiveCursor(), nullptr, RestoreDefaultMap());
    ButtonMap defaultMap;
    memset(&defaultMap, 0, sizeof defaultMap);
    ReadSystemButtonMap(FirstActiveCursor(), defaultMap);
    VXMgrCsrButtonMap(managerHandle, FirstActiveCursor(), nullptr, settings.buttonMap.entry);
    settings.defaultButtons = SameButtonMap(defaultMap, settings.buttonMap) == 0 ? 1 : 0;
}

void ApplySettings(SetupSettings& settings) {
    ContextRecord record;
    bool haveRecord = ReadSourceContext(record);
    DWORD width = TabletWidth();
    DWORD height = TabletHeight();
    SettingsToContext(settings, width, height, record);

    if (settings.defaultButtons == 1) {
        VXMgrCsrButtonMap(managerHandle, FirstActiveCursor(), nullptr, RestoreDefaultMap());
        ReadSystemButtonMap(FirstActiveCursor(), settings.buttonMap);
    } else {
        if (PenOptionSupported()) TranslatePenCodes(settings.buttonMap);
        VXMgrCsrButtonMap(managerHandle, FirstActiveCursor(), nullptr, settings.buttonMap.entry);
    }

    VXMgrContextEnum(managerHandle, UpdateDefaultSystemContext, reinterpret_cast<LPARAM>(&record));
    // The whole record becomes the default system context, so it must be one
    // the driver gave us: a record that could not be read is never written.
    ContextHandle defaultSystem = VXMgrDefContext(managerHandle, 1);
    if (haveRecord && defaultSystem) VXSetA(defaultSystem, &record);
}

void ProbeSettings() {
    SetupSettings before;
    memset(&before, 0, sizeof before);
    LoadSettings(before);
    ApplySettings(workingSettings);
    LoadSettings(workingSettings);
    ApplySettings(before);
}

int CommitSettings(HWND window, SetupSettings& settings) {
    SetupSettings backup;
    memset(&backup, 0, sizeof backup);
    LoadSettings(backup);
    ApplySettings(settings);

    DWORD buttonCount = ReadDriverDword(CursorInfo + FirstActiveCursor(), CursorButtonCount) & 0xFF;
    DWORD lost = LostClicksMask(settings.buttonMap, buttonCount);
    if (lost == 0) return 1;

    // The pen would lose its clicks: keep the previous settings while asking.
    ApplySettings(backup);
    if (ConfirmLostClicks(window, lost) != IDOK) return 0;
    ApplySettings(settings);
    return 1;
}
