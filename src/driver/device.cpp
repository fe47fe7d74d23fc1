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

DriverText::DriverText(UINT category, UINT index) {
    UINT announced = VXInfoA(category, index, nullptr);
    if (announced == 0 || announced > LongestDriverText) return;
    memory = LocalAlloc(LPTR, announced + DriverTextSpareRoom);
    if (!memory) return;
    char* text = static_cast<char*>(memory);
    if (VXInfoA(category, index, text) == 0) {
        LocalFree(memory);
        memory = nullptr;
        return;
    }
    // Whatever the driver wrote past its last announced byte is dropped.
    text[announced - 1] = '\0';
    text[announced] = '\0';
    size = announced;
}

DriverText::~DriverText() {
    if (memory) LocalFree(memory);
}

UINT ReadDriverText(UINT category, UINT index, char* buffer, UINT size) {
    if (!buffer || size == 0) return 0;
    buffer[0] = '\0';
    DriverText text(category, index);
    if (!text.Begin()) return 0;
    size_t length = strnlen(text.Begin(), size - 1);
    memcpy(buffer, text.Begin(), length);
    buffer[length] = '\0';
    return text.Size();
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
    bool found = false;
    WalkCursorTypes(first, count, ActiveCursorWalkLimit, [&](DWORD, DWORD number) {
        found = ReadDriverDword(CursorInfo + number, CursorActive) != 0;
        if (found) cursor = number;
        return !found;
    });
    return found;
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
