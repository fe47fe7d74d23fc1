// The driver operations as the program calls them: one wrapper per entry
// point (bound by ordinal on first use, 0 when the library or the entry is
// missing), the binding layer, and the shared queries about the device.
#pragma once

#include <cstring>

#include "driver/vellix.h"

// One binding per entry point, linked into the bound list once resolved.
struct EntryBinding {
    DWORD ordinal;       // looked up by ordinal only
    FARPROC address;     // 0 while unbound
    EntryBinding* next;  // bound list link
};

// Wrappers with exactly the entries' arguments and results.
#define DECLARE_DRIVER_WRAPPER(name, ordinal, result, params, args) result name params;
VELLIX_ENTRY_POINTS(DECLARE_DRIVER_WRAPPER)
#undef DECLARE_DRIVER_WRAPPER

void BindEntry(EntryBinding* binding);
void UnloadDriver();

// Introspection for tests: the library handle, the head of the bound list and
// the binding of an entry point by ordinal (null for an unknown ordinal).
HMODULE DriverLibraryHandle();
EntryBinding* BoundEntryList();
EntryBinding* DriverBinding(DWORD ordinal);

// The most devices, cursor types or contexts that any walk over them visits:
// far more than any tablet has, and few enough that a driver answering a
// nonsense count, or answering for every number, cannot hold the program.
// Every loop over device numbers, cursor numbers or enumerated contexts
// stops here.
constexpr DWORD DriverWalkLimit = 1024;

// The queries every dialog shares, about the device the session selected
// (driver/session.h).
DWORD FirstActiveCursor();
// The same, checked: false when the device's first cursor or cursor count
// cannot be read (cursor is then 0). With no cursor reporting itself active
// the device's first cursor stands in.
bool ReadFirstActiveCursor(DWORD& cursor);
// The lowest-numbered of count cursors from first (at most the walk limit)
// that reports itself active; false, cursor untouched, when none does.
bool FindActiveCursor(DWORD first, DWORD count, DWORD& cursor);
DWORD TabletUnitIndex();
DWORD TabletResolution();
DWORD TabletResolutionRounded();
DWORD TabletWidth();
DWORD TabletHeight();
DWORD PenOptionSupported();
DWORD PenOptionInContext(const ContextRecord& record);

// Every fixed-size record the driver writes goes through a buffer with room to
// spare, so an answer longer than the record cannot reach past it. The record
// takes what the driver wrote only on a nonzero answer; bytes the driver did
// not write keep the record's own values. ask(buffer) makes the driver call.
constexpr size_t LargestDriverRecord = sizeof(ContextRecord);
constexpr size_t DriverAnswerSpareRoom = 256;
template <class Ask>
UINT ReadThroughSpareRoom(void* record, size_t size, Ask ask) {
    if (size > LargestDriverRecord) return 0;
    BYTE buffer[LargestDriverRecord + DriverAnswerSpareRoom] = {};
    memcpy(buffer, record, size);
    UINT answer = static_cast<UINT>(ask(static_cast<void*>(buffer)));
    if (answer) memcpy(record, buffer, size);
    return answer;
}
// VXInfoA into a fixed-size record, and VXGetA, both through that buffer.
template <class Record>
UINT ReadDriverRecord(UINT category, UINT index, Record& record) {
    return ReadThroughSpareRoom(&record, sizeof record, [&](void* buffer) { return VXInfoA(category, index, buffer); });
}
BOOL ReadContextRecord(ContextHandle context, ContextRecord& record);

// Small readers over VXInfoA for the selected device.
UINT DeviceCategory();                          // 100 + the selected device
bool ReadAxis(UINT axisIndex, AxisInfo& axis);  // DeviceAxisX or DeviceAxisY; false leaves axis zeroed
// Reads a driver text into buffer (size bytes), always terminated, cut safely
// when longer; answers the full length the driver reported (0 when none).
UINT ReadDriverText(UINT category, UINT index, char* buffer, UINT size);
DWORD ReadDriverDword(UINT category, UINT index);
