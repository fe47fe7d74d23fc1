// The small queries about the selected device that the dialogs share. Every
// query asks the driver afresh.
#include <cstring>

#include "core/fixed_point.h"
#include "driver/driver.h"
#include "driver/session.h"

UINT DeviceCategory() { return DeviceInfo + SelectDevice(); }

DWORD ReadDriverDword(UINT category, UINT index) {
    // A one-byte answer leaves the rest zero.
    DWORD value = 0;
    ReadDriverRecord(category, index, value);
    return value;
}

BOOL ReadContextRecord(ContextHandle context, ContextRecord& record) {
    return ReadThroughSpareRoom(&record, sizeof record, false,
                                [&](void* buffer) { return VXGetA(context, static_cast<ContextRecord*>(buffer)); });
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
    return ReadDriverRecord(DeviceCategory(), axisIndex, axis) != 0;
}

bool ReadCursorTypes(DWORD& first, DWORD& count) {
    UINT category = DeviceCategory();
    first = count = 0;
    bool haveFirst = ReadDriverRecord(category, DeviceFirstCursor, first) != 0;
    bool haveCount = ReadDriverRecord(category, DeviceCursorCount, count) != 0;
    if (count > DriverWalkLimit) count = DriverWalkLimit;
    return haveFirst && haveCount;
}

bool ReadFirstActiveCursor(DWORD& cursor) {
    DWORD first, count;
    cursor = 0;
    if (!ReadCursorTypes(first, count)) return false;
    // No cursor reports itself active: the device's first cursor stands in,
    // so callers always get a valid cursor number.
    if (!FindActiveCursor(first, count, cursor)) cursor = first;
    return true;
}

bool FindActiveCursor(DWORD first, DWORD count, DWORD& cursor) {
    if (count > DriverWalkLimit) count = DriverWalkLimit;
    for (DWORD i = 0; i < count; ++i) {
        if (ReadDriverDword(CursorInfo + first + i, CursorActive)) {
            cursor = first + i;
            return true;
        }
    }
    return false;
}

DWORD FirstActiveCursor() {
    DWORD cursor;
    ReadFirstActiveCursor(cursor);
    return cursor;
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
    return AxisExtent(x);
}

DWORD TabletHeight() {
    AxisInfo y;
    ReadAxis(DeviceAxisY, y);
    return AxisExtent(y);
}

DWORD PenOptionSupported() { return ReadDriverDword(InterfaceInfo, InterfaceContextOptions) & PenOptionBit; }

DWORD PenOptionInContext(const ContextRecord& record) {
    return (PenOptionSupported() && (record.options & PenOptionBit)) ? 1 : 0;
}
