// The exchange of whole settings records with the driver: reading, writing,
// probing and committing. The settings live in the selected device's
// "Default System" contexts, the default system context and the active
// cursor's system button map. Every write is made from a snapshot taken just
// before it, onto what that snapshot found. Nothing here shows a window.
#include "exchange/exchange.h"

#include <cstring>

#include "core/area_math.h"
#include "driver/driver.h"
#include "driver/session.h"

namespace {

// The snapshot a write is made from: read just before it.
TabletSnapshot fresh;

SettingsBasis BasisOf(const TabletSnapshot& s) {
    SettingsBasis basis;
    memset(&basis, 0, sizeof basis);
    basis.axisX = s.axisX;
    basis.axisY = s.axisY;
    DWORD cursor = 0;
    FirstActiveCursor(s, cursor);
    basis.cursor = cursor;
    basis.buttonCount = s.active.countWhole ? s.active.buttonCount : 0;
    basis.penOption = s.penOption ? 1 : 0;
    basis.defaultMap = s.defaultMap;
    return basis;
}

// Whether the snapshot answered whole what a write of settings needs.
bool AnswersFor(const TabletSnapshot& s, const SetupSettings& settings) {
    DWORD cursor;
    if (!s.axesWhole || !FirstActiveCursor(s, cursor)) return false;
    if (!(settings.unread & UnreadContext) && !s.sourceWhole) return false;
    if (!(settings.unread & UnreadButtonMap) && !s.active.mapWhole) return false;
    return true;
}

// A snapshot for a write of settings, checked against what they were worked
// out on.
WriteOutcome TakeWriteSnapshot(const SetupSettings& settings) {
    TakeSnapshot(fresh, SettingsParts);
    if (!AnswersFor(fresh, settings)) return WriteTabletGone;
    if (settings.unread & UnreadTablet) return WriteTabletChanged;
    if (!SameBasis(settings.basis, BasisOf(fresh))) return WriteTabletChanged;
    return WriteDone;
}

// The map the driver holds once settings are written: its default map (as
// learnt, when it was), or the record's map in its written form.
ButtonMap MapOnceWritten(const SetupSettings& settings) {
    const bool asDefault = settings.defaultButtons == 1;
    if (asDefault && (settings.unread & UnreadDefaultMap)) return settings.buttonMap;
    return asDefault ? settings.basis.defaultMap : MapAsWritten(settings.buttonMap, settings.basis.penOption != 0);
}

void WriteMap(SetupSettings& settings) {
    if (settings.unread & UnreadButtonMap) return;  // never read: the driver keeps its own
    BYTE* map = VX_DEFAULT_BUTTON_MAP;
    settings.buttonMap = MapOnceWritten(settings);
    if (settings.defaultButtons != 1) map = settings.buttonMap.entry;
    VXMgrCsrButtonMap(SessionManager(), settings.basis.cursor, nullptr, map);
}

// The seven fields into every "Default System" context the snapshot read
// whole, and the whole prepared record, one the driver gave, as the default
// system context.
void WriteContexts(const SetupSettings& settings, const TabletSnapshot& s) {
    if (settings.unread & UnreadContext) return;  // never read: not written over the driver's
    ContextRecord prepared = s.source;
    SettingsToContext(settings, TabletWidth(s), TabletHeight(s), prepared);
    for (DWORD i = 0; i < s.systemCount; ++i) {
        ContextRecord record = s.systemRecords[i];
        CopySettingsFields(prepared, record);
        VXSetA(s.systemHandles[i], &record);
    }
    if (s.defaultSystem) VXSetA(s.defaultSystem, &prepared);
}

// Writes settings onto what the last write snapshot found.
void WriteSettings(SetupSettings& settings) {
    WriteMap(settings);
    WriteContexts(settings, fresh);
}

// OK and Test. With a reference map the confirmation comes first, before
// anything is read or written; without one, the map the driver holds just
// before the write stands in for it.
CommitOutcome Commit(SetupSettings& settings, const ButtonMap* reference, LostClicksConfirmation confirmation) {
    const bool mapWritten = (settings.unread & (UnreadButtonMap | UnreadTablet)) == 0;
    const ButtonMap written = MapOnceWritten(settings);
    auto declined = [&](const ButtonMap& before) {
        uint32_t lost = mapWritten ? NewlyLostClicks(before, written, settings.basis.buttonCount) : 0;
        return lost != 0 && (!confirmation.confirm || !confirmation.confirm(lost, confirmation.context));
    };
    if (reference && declined(*reference)) return CommitDeclined;
    switch (TakeWriteSnapshot(settings)) {
    case WriteTabletGone: return CommitTabletGone;
    case WriteTabletChanged: return CommitTabletChanged;
    case WriteDone: break;
    }
    if (!reference && declined(fresh.active.map)) return CommitDeclined;
    WriteSettings(settings);
    return CommitWritten;
}

}  // namespace

void SettingsFromSnapshot(const TabletSnapshot& s, SetupSettings& settings, AreaBox* heldArea) {
    memset(&settings, 0, sizeof settings);
    DWORD cursor;
    if (!s.axesWhole || !FirstActiveCursor(s, cursor)) settings.unread |= UnreadTablet;
    if (!s.sourceWhole) settings.unread |= UnreadContext;
    if (!s.active.mapWhole) settings.unread |= UnreadButtonMap;
    ContextRecord record;
    memset(&record, 0, sizeof record);
    if (s.sourceWhole) record = s.source;
    const DWORD width = TabletWidth(s), height = TabletHeight(s);
    if (heldArea) *heldArea = AreaAsHeld(record, height);
    SettingsFromContext(record, width, height, PenOptionInContext(s, record), settings, AreaStep(TabletResolution(s)));
    if (s.active.mapWhole) settings.buttonMap = s.active.map;
    settings.basis = BasisOf(s);
    if (!s.defaultMapWhole) {
        settings.unread |= UnreadDefaultMap;
    } else if (s.active.mapWhole) {
        settings.defaultButtons = SameButtonMap(s.defaultMap, settings.buttonMap) == 0 ? 1 : 0;
    }
}

bool LoadSettings(SetupSettings& settings) {
    static TabletSnapshot opened;
    TakeSnapshot(opened, SettingsParts | SnapDefaultMap);
    SettingsFromSnapshot(opened, settings);
    return (settings.unread & UnreadTablet) == 0;
}

WriteOutcome ApplySettings(SetupSettings& settings) {
    WriteOutcome outcome = TakeWriteSnapshot(settings);
    if (outcome == WriteDone) WriteSettings(settings);
    return outcome;
}

SetupSettings ProbeSettings(const SetupSettings& shown) {
    SetupSettings probed = shown;
    if (shown.defaultButtons == 1 && !(shown.unread & UnreadDefaultMap)) probed.buttonMap = shown.basis.defaultMap;
    if (shown.wholeTablet == 1) {
        // An axis without extent keeps the area it has.
        const uint32_t width = AxisExtent(shown.basis.axisX), height = AxisExtent(shown.basis.axisY);
        if (width != 0) probed.area.left = 0, probed.area.right = static_cast<int32_t>(width);
        if (height != 0) probed.area.top = 0, probed.area.bottom = static_cast<int32_t>(height);
        probed.wholeTablet = CoversWholeTablet(probed.area, width, height) ? 1 : 0;
    }
    if (!(shown.unread & UnreadDefaultMap))
        probed.defaultButtons = SameButtonMap(shown.basis.defaultMap, probed.buttonMap) == 0 ? 1 : 0;
    return probed;
}

CommitOutcome CommitSettings(SetupSettings& settings, const ButtonMap& openedMap, LostClicksConfirmation confirmation) {
    return Commit(settings, &openedMap, confirmation);
}

CommitOutcome CommitSettings(SetupSettings& settings, LostClicksConfirmation confirmation) {
    return Commit(settings, nullptr, confirmation);
}

bool SwitchCursorType(bool haveFrom, DWORD from, DWORD to) {
    bool disabled = !haveFrom || VXMgrCsrEnable(SessionManager(), from, FALSE) != 0;
    return VXMgrCsrEnable(SessionManager(), to, TRUE) != 0 && disabled;
}

ButtonMap MapAsWritten(const ButtonMap& map, bool penOption) {
    ButtonMap written = map;
    if (penOption) TranslatePenCodes(written);
    return written;
}

bool WriteButtonMap(DWORD cursor, const ButtonMap& map, bool penOption) {
    ButtonMap written = MapAsWritten(map, penOption);
    return VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, written.entry) != 0;
}
