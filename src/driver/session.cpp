// The manager handle and the device selection. Only the device number is
// kept; every query about the device asks the driver afresh.
#include "driver/session.h"

#include "core/name_parts.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "win/resources.h"

namespace {

ManagerHandle manager = 0;
const char* selectionText = nullptr;
WORD selectedDevice = 0;
bool selectionRan = false;
char searchName[200];  // each device's name during the search

bool ReportsRelative(DWORD flags) { return (flags & (RelativeFieldX | RelativeFieldY)) != 0; }

// The device's relative-field flags; false past the last device.
bool DeviceFlags(WORD device, DWORD& flags) {
    flags = 0;
    return ReadDriverRecord(DeviceInfo + device, DeviceRelativeFields, flags) != 0;
}

}  // namespace

bool OpenDriverSession(HWND window) {
    manager = VXMgrOpen(window, MessageBase);
    return manager != 0;
}

void CloseDriverSession() {
    if (manager) VXMgrClose(manager);
    manager = 0;
}

ManagerHandle SessionManager() { return manager; }

void SetDeviceSelection(const char* text) { selectionText = text; }

const char* DeviceSelection() { return selectionText; }

WORD SelectDevice() {
    if (selectionRan) return selectedDevice;
    selectionRan = true;  // before searching, so a failed search is not repeated

    char emptySelection[20] = "";
    const char* selection = selectionText;
    if (!selection) {
        LoadStringA(ResourceInstance(), IDS_EMPTY_SELECTION, emptySelection, sizeof emptySelection);
        selection = emptySelection;
    }

    // Both passes stop at the walk limit, even when the driver answers for
    // every device number.
    DWORD flags;
    for (WORD d = 0; d < DriverWalkLimit && DeviceFlags(d, flags); ++d) {
        if (ReportsRelative(flags)) continue;
        ReadDriverText(DeviceInfo + d, DeviceName, searchName, sizeof searchName);
        if (NameContainsSelection(searchName, selection)) return selectedDevice = d;
    }
    for (WORD d = 0; d < DriverWalkLimit && DeviceFlags(d, flags); ++d) {
        if (!ReportsRelative(flags)) return selectedDevice = d;
    }
    return selectedDevice;
}

void ForgetDeviceSelection() {
    selectionRan = false;
    selectedDevice = 0;
}
