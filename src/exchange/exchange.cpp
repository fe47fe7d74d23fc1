// The exchange of whole settings records with the driver: reading, writing,
// probing and committing. The settings live in the selected device's
// "Default System" contexts, the default system context and the active
// cursor's system button map. Nothing here shows a window.
#include "exchange/exchange.h"

#include <cstring>

#include "core/area_math.h"
#include "driver/driver.h"
#include "driver/session.h"

namespace {

bool MatchesSelectedDevice(const ContextRecord& record) {
    return IsDefaultSystemName(record.name) && record.device == SelectDevice();
}

// One enumeration of the manager's contexts: the callback it serves and the
// contexts it has been shown. The walk stops (answers 0) at the first
// context shown a second time, so a driver whose list runs in a circle has
// each context visited, and written, once; and it stops at the walk limit.
struct ContextWalk {
    ContextEnumProc callback;
    LPARAM parameter;
    DWORD visited;
    ContextHandle seen[ContextWalkLimit];
};

bool SeenBefore(const ContextWalk& walk, ContextHandle context) {
    for (DWORD i = 0; i < walk.visited; ++i)
        if (walk.seen[i] == context) return true;
    return false;
}

BOOL WINAPI VisitWithinLimit(ContextHandle context, LPARAM walkParameter) {
    ContextWalk& walk = *reinterpret_cast<ContextWalk*>(walkParameter);
    if (walk.visited >= ContextWalkLimit || SeenBefore(walk, context)) return 0;
    walk.seen[walk.visited++] = context;
    return walk.callback(context, walk.parameter);
}

void EnumerateContexts(ContextEnumProc callback, LPARAM parameter) {
    ContextWalk walk = {callback, parameter, 0, {}};
    VXMgrContextEnum(SessionManager(), VisitWithinLimit, reinterpret_cast<LPARAM>(&walk));
}

// Enumeration callbacks: the first "Default System" context of the selected
// device into *parameter; the prepared record's settings into every one.
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

// The context the settings are read from: the first "Default System" context
// of the selected device, or the default system context when the device has
// none, so that the dialog still shows what the driver uses. 0 when neither.
ContextHandle SourceContext() {
    ContextHandle handle = 0;
    EnumerateContexts(FindDefaultSystemContext, reinterpret_cast<LPARAM>(&handle));
    if (!handle) handle = VXMgrDefContext(SessionManager(), 1);
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
// out from an axis the driver no longer answers for is written; with the
// step of the area fields, which the x axis's resolution gives.
bool ReadTabletExtents(DWORD& width, DWORD& height, DWORD& areaStep) {
    AxisInfo x, y;
    bool haveX = ReadAxis(DeviceAxisX, x);
    bool haveY = ReadAxis(DeviceAxisY, y);
    width = AxisExtent(x);
    height = AxisExtent(y);
    areaStep = AreaStep(x.resolution);
    return haveX && haveY;
}

// The driver's default map is only readable by restoring it for a moment.
// The user's map always goes back: to the active cursor asked afresh, or,
// should that query fail, to the cursor whose default was restored.
void ReadDefaultMap(const ButtonMap& userMap, ButtonMap& defaultMap) {
    DWORD restored, cursor;
    if (!ReadFirstActiveCursor(restored)) return;
    VXMgrCsrButtonMap(SessionManager(), restored, nullptr, VX_DEFAULT_BUTTON_MAP);
    if (ReadFirstActiveCursor(cursor)) ReadSystemButtonMap(cursor, defaultMap);
    if (!ReadFirstActiveCursor(cursor)) cursor = restored;
    ButtonMap putBack = userMap;
    VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, putBack.entry);
}

// Everything but the comparison with the default map, which takes writes.
// False when the active cursor cannot be read; haveTablet tells whether the
// extents could, and settings.unread what else could not be read.
bool ReadStored(SetupSettings& settings, bool& haveTablet, AreaBox* heldArea = nullptr) {
    ContextRecord record;
    settings.unread = ReadSourceContext(record) ? 0u : static_cast<uint32_t>(UnreadContext);
    DWORD width, height, areaStep;
    haveTablet = ReadTabletExtents(width, height, areaStep);
    if (heldArea) *heldArea = AreaAsHeld(record, height);
    // An area off the tablet, or without extent, is brought onto it here, so
    // what the dialog shows is what it writes.
    SettingsFromContext(record, width, height, PenOptionInContext(record) != 0, settings, areaStep);

    DWORD cursor;
    if (!ReadFirstActiveCursor(cursor)) return false;
    if (!ReadSystemButtonMap(cursor, settings.buttonMap)) settings.unread |= UnreadButtonMap;
    return true;
}

}  // namespace

bool ReadStoredSettings(SetupSettings& settings, AreaBox* heldArea) {
    bool haveTablet = false;
    if (!ReadStored(settings, haveTablet, heldArea)) return false;
    settings.defaultButtons = 0;
    return haveTablet && settings.unread == 0;
}

bool LoadSettings(SetupSettings& settings) {
    bool haveTablet = false;
    if (!ReadStored(settings, haveTablet)) return false;
    // A map that cannot be read is not restored to its default either, so
    // nothing is written on its behalf; nor is it taken for the default.
    settings.defaultButtons = 0;
    if ((settings.unread & UnreadButtonMap) == 0) {
        ButtonMap defaultMap;
        memset(&defaultMap, 0, sizeof defaultMap);
        ReadDefaultMap(settings.buttonMap, defaultMap);
        settings.defaultButtons = SameButtonMap(defaultMap, settings.buttonMap) == 0 ? 1 : 0;
    }
    return haveTablet;
}

bool ApplySettings(SetupSettings& settings) {
    ContextRecord record;
    bool haveRecord = ReadSourceContext(record);
    DWORD width, height, areaStep;
    // Nothing is written when the tablet's extents or its cursor cannot be
    // read: every value below would be worked out from a failed query.
    if (!ReadTabletExtents(width, height, areaStep)) return false;
    SettingsToContext(settings, width, height, record);

    DWORD cursor;
    if (settings.unread & UnreadButtonMap) {
        // The map was never read: the driver keeps the one it has.
        if (!ReadFirstActiveCursor(cursor)) return false;
    } else if (settings.defaultButtons == 1) {
        if (!ReadFirstActiveCursor(cursor)) return false;
        VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, VX_DEFAULT_BUTTON_MAP);
        if (ReadFirstActiveCursor(cursor)) ReadSystemButtonMap(cursor, settings.buttonMap);
    } else {
        if (PenOptionSupported()) TranslatePenCodes(settings.buttonMap);
        if (!ReadFirstActiveCursor(cursor)) return false;
        VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, settings.buttonMap.entry);
    }

    // Tracking settings that were never read are not written over the
    // driver's own.
    if (settings.unread & UnreadContext) return true;
    EnumerateContexts(UpdateDefaultSystemContext, reinterpret_cast<LPARAM>(&record));
    // The whole record becomes the default system context, so it must be one
    // the driver gave us: a record that could not be read is never written.
    ContextHandle defaultSystem = VXMgrDefContext(SessionManager(), 1);
    if (haveRecord && defaultSystem) VXSetA(defaultSystem, &record);
    return true;
}

SetupSettings ProbeSettings(const SetupSettings& shown) {
    SetupSettings written = shown;
    SetupSettings before;
    memset(&before, 0, sizeof before);
    // Without the tablet nothing is written, so there is nothing to read back.
    if (!LoadSettings(before) || !ApplySettings(written)) return written;
    // The probe takes from the driver only what it stores differently (a
    // default map, a whole-tablet area); the tracking mode and sensitivity
    // stay as shown.
    SetupSettings probed = written;
    LoadSettings(probed);
    probed.mode = written.mode;
    probed.sensitivity = written.sensitivity;
    ApplySettings(before);
    return probed;
}

namespace {

// The clicks the confirmation guards are those of reference, or, without
// one, of the map the driver holds before the commit.
CommitOutcome Commit(SetupSettings& settings, const ButtonMap* reference, LostClicksConfirmation confirmation) {
    SetupSettings backup;
    memset(&backup, 0, sizeof backup);
    LoadSettings(backup);
    // The tablet no longer answers: nothing was written.
    if (!ApplySettings(settings)) return CommitTabletGone;
    if (settings.unread & UnreadButtonMap) return CommitWritten;  // no map was written

    DWORD buttonCount = ReadDriverDword(CursorInfo + FirstActiveCursor(), CursorButtonCount) & 0xFF;
    DWORD lost = NewlyLostClicks(reference ? *reference : backup.buttonMap, settings.buttonMap, buttonCount);
    if (lost == 0) return CommitWritten;

    // The pen would lose its clicks: keep the previous settings while asking.
    ApplySettings(backup);
    if (!confirmation.confirm || !confirmation.confirm(lost, confirmation.context)) return CommitDeclined;
    ApplySettings(settings);
    return CommitWritten;
}

}  // namespace

CommitOutcome CommitSettings(SetupSettings& settings, const ButtonMap& openedMap, LostClicksConfirmation confirmation) {
    return Commit(settings, &openedMap, confirmation);
}

CommitOutcome CommitSettings(SetupSettings& settings, LostClicksConfirmation confirmation) {
    return Commit(settings, nullptr, confirmation);
}

void SwitchCursorType(bool haveFrom, DWORD from, DWORD to) {
    if (haveFrom) VXMgrCsrEnable(SessionManager(), from, FALSE);
    VXMgrCsrEnable(SessionManager(), to, TRUE);
}

ButtonMap MapAsWritten(const ButtonMap& map, bool penOption) {
    ButtonMap written = map;
    if (penOption) TranslatePenCodes(written);
    return written;
}

void WriteButtonMap(DWORD cursor, const ButtonMap& map, bool penOption) {
    ButtonMap written = MapAsWritten(map, penOption);
    VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, written.entry);
}
