// Choice of the one tablet device the program works with, and the small
// queries the dialogs share. Only the device number is cached; every query
// asks the driver afresh.
#include <cstring>

#include "defs/features.h"
#include "dialogs/name_parts.h"
#include "driver/driver.h"
#include "driver/fixed_point.h"

const char* selectionText = nullptr;

namespace {

WORD selectedDevice = 0;
bool selectionRan = false;
char searchName[200];  // each device's name during the search

bool ReportsRelative(DWORD flags) { return (flags & (RelativeFieldX | RelativeFieldY)) != 0; }

// The device's relative-field flags; false past the last device.
bool DeviceFlags(WORD device, DWORD& flags) {
    flags = 0;
    return VXInfoA(DeviceInfo + device, DeviceRelativeFields, &flags) != 0;
}

}  // namespace

WORD SelectDevice() {
    if (selectionRan) return selectedDevice;
    selectionRan = true;  // before searching, so a failed search is not repeated

    char emptySelection[20] = "";
    const char* selection = selectionText;
    if (!selection) {
        LoadStringA(GetModuleHandleA(nullptr), IDS_EMPTY_SELECTION, emptySelection, sizeof emptySelection);
        selection = emptySelection;
    }

    DWORD flags;
    for (WORD d = 0; DeviceFlags(d, flags); ++d) {
        if (ReportsRelative(flags)) continue;
        ReadDriverText(DeviceInfo + d, DeviceName, searchName, sizeof searchName);
        if (NameContainsSelection(searchName, selection)) return selectedDevice = d;
        if (d == 0xFFFF) break;
    }
    for (WORD d = 0; DeviceFlags(d, flags); ++d) {
        if (!ReportsRelative(flags)) return selectedDevice = d;
        if (d == 0xFFFF) break;
    }
    return selectedDevice;
}

void ForgetDeviceSelection() {
    selectionRan = false;
    selectedDevice = 0;
}

UINT DeviceCategory() { return DeviceInfo + SelectDevice(); }

DWORD ReadDriverDword(UINT category, UINT index) {
    // Room to spare, so a driver that answers more than four bytes cannot
    // write past the value; a one-byte answer leaves the rest zero.
    BYTE buffer[64] = {};
    VXInfoA(category, index, buffer);
    DWORD value;
    memcpy(&value, buffer, sizeof value);
    return value;
}

UINT ReadDriverText(UINT category, UINT index, char* buffer, UINT size) {
    if (!buffer || size == 0) return 0;
    buffer[0] = '\0';
    UINT needed = VXInfoA(category, index, nullptr);
    if (needed == 0) return 0;
    if (needed <= size) {
        VXInfoA(category, index, buffer);
    } else {
        // Longer than the caller's buffer: fetch it whole, keep what fits.
        HLOCAL whole = LocalAlloc(LPTR, needed + 1);
        if (!whole) return 0;
        char* text = static_cast<char*>(whole);
        VXInfoA(category, index, text);
        memcpy(buffer, text, size - 1);
        LocalFree(whole);
    }
    buffer[size - 1] = '\0';
    return needed;
}

bool ReadAxis(UINT axisIndex, AxisInfo& axis) {
    axis = AxisInfo{};
    return VXInfoA(DeviceCategory(), axisIndex, &axis) != 0;
}

DWORD FirstActiveCursor() {
    UINT category = DeviceCategory();
    DWORD first = ReadDriverDword(category, DeviceFirstCursor);
    DWORD count = ReadDriverDword(category, DeviceCursorCount);
    for (DWORD i = 0; i < count; ++i)
        if (ReadDriverDword(CursorInfo + first + i, CursorActive)) return first + i;
    // No cursor reports itself active: the device's first cursor stands in,
    // so callers always get a valid cursor number.
    return first;
}

DWORD TabletUnitIndex() {
    AxisInfo x;
    ReadAxis(DeviceAxisX, x);
    return x.unitCode - 1;
}

DWORD TabletResolution() {
    AxisInfo x;
    ReadAxis(DeviceAxisX, x);
    return x.resolution;
}

DWORD TabletResolutionRounded() {
    // Two reads, one for the whole part and one for the fraction.
    DWORD whole = TabletResolution() >> 16;
    DWORD fraction = TabletResolution() & 0xFFFF;
    return RoundFixed((whole << 16) | fraction);
}

DWORD TabletWidth() {
    AxisInfo x;
    ReadAxis(DeviceAxisX, x);
    return static_cast<DWORD>(x.maximum) - static_cast<DWORD>(x.minimum);
}

DWORD TabletHeight() {
    AxisInfo y;
    ReadAxis(DeviceAxisY, y);
    return static_cast<DWORD>(y.maximum) - static_cast<DWORD>(y.minimum);
}

DWORD PenOptionSupported() {
    return ReadDriverDword(InterfaceInfo, InterfaceContextOptions) & PenOptionBit;
}

DWORD PenOptionInContext(const ContextRecord& record) {
    return (PenOptionSupported() && (record.options & PenOptionBit)) ? 1 : 0;
}
