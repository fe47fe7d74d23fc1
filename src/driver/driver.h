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

// The most devices, cursor types or contexts that a walk over them visits:
// far more than any tablet has, and few enough that a driver answering a
// nonsense count, answering for every number or enumerating without end
// cannot hold the program. No single user action may cost more than about a
// thousand driver calls, and an action walks some lists several times: a
// commit whose confirmation is accepted enumerates the contexts seven times,
// a probe of the settings looks for the active cursor twelve times. So:
// device numbers and the cursor types listed (three calls each) stop at 256;
constexpr DWORD DriverWalkLimit = 256;
// one enumeration of the contexts (up to two calls each) at 128;
constexpr DWORD ContextWalkLimit = 128;
// the search for the active cursor type at 32, the most cursor types the
// program keeps anything for (the capture's button masks).
constexpr DWORD ActiveCursorWalkLimit = 32;

// Every walk over a device's cursor types: the cursor numbers from first
// upward, at most limit of the count the driver reported, until
// visit(position, cursor) answers false.
template <class Visit>
void WalkCursorTypes(DWORD first, DWORD count, DWORD limit, Visit visit) {
    if (count > limit) count = limit;
    for (DWORD position = 0; position < count; ++position)
        if (!visit(position, first + position)) return;
}

// The queries every dialog shares, about the device the session selected
// (driver/session.h).
DWORD FirstActiveCursor();
// The same, checked: false when the device's first cursor or cursor count
// cannot be read (cursor is then 0). With no cursor reporting itself active
// the device's first cursor stands in.
bool ReadFirstActiveCursor(DWORD& cursor);
// The device's first cursor number and its number of cursor types, the
// count held to the walk limit; false when either does not answer.
bool ReadCursorTypes(DWORD& first, DWORD& count);
// The lowest-numbered of count cursors from first (at most
// ActiveCursorWalkLimit) that reports itself active; false, cursor
// untouched, when none does.
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
// takes what the driver wrote only on a nonzero answer. A number or a flag
// (at most four bytes) keeps its own value in the bytes the driver did not
// write. A larger record that the driver answered for but left as it was
// (still filled with UnwrittenRecordByte) was not read: the answer counts as
// 0, so nothing is worked out from a record the driver never filled.
// ask(buffer) makes the driver call; answeredBytes tells whether its answer
// is the number of bytes written (VXInfoA) or a flag (VXGetA).
constexpr size_t LargestDriverRecord = sizeof(ContextRecord);
constexpr size_t DriverAnswerSpareRoom = 256;
constexpr size_t LargestDriverNumber = sizeof(DWORD);
constexpr BYTE UnwrittenRecordByte = 0xCD;
template <class Ask>
UINT ReadThroughSpareRoom(void* record, size_t size, bool answeredBytes, Ask ask) {
    if (size > LargestDriverRecord) return 0;
    const bool checked = size > LargestDriverNumber;
    BYTE buffer[LargestDriverRecord + DriverAnswerSpareRoom];
    memset(buffer, checked ? UnwrittenRecordByte : 0, sizeof buffer);
    if (!checked) memcpy(buffer, record, size);
    UINT answer = static_cast<UINT>(ask(static_cast<void*>(buffer)));
    if (!answer) return 0;
    const size_t written = answeredBytes && answer < size ? answer : size;
    if (checked) {
        size_t unchanged = 0;
        while (unchanged < written && buffer[unchanged] == UnwrittenRecordByte) ++unchanged;
        if (unchanged == written) return 0;
    }
    memcpy(record, buffer, written);
    return answer;
}
// VXInfoA into a fixed-size record, and VXGetA, both through that buffer.
template <class Record>
UINT ReadDriverRecord(UINT category, UINT index, Record& record) {
    return ReadThroughSpareRoom(&record, sizeof record, true,
                                [&](void* buffer) { return VXInfoA(category, index, buffer); });
}
BOOL ReadContextRecord(ContextHandle context, ContextRecord& record);

// Small readers over VXInfoA for the selected device.
UINT DeviceCategory();                          // 100 + the selected device
bool ReadAxis(UINT axisIndex, AxisInfo& axis);  // DeviceAxisX or DeviceAxisY; false leaves axis zeroed

// The longest text (a name, or a cursor's list of button names) taken from
// the driver: a larger size is a failed query, not a reason to allocate.
constexpr UINT LongestDriverText = 64 * 1024;
// Room past the announced size of a text: a driver that writes more than it
// announced writes it here, never past the block. Texts have no size of
// their own to judge by, so the room is generous.
constexpr UINT DriverTextSpareRoom = 4096;

// A driver text read whole, as every text from the driver is read: its size
// asked first, then the text read into local memory with room to spare.
// Only the announced size is kept: the text ends there with two NULs, so a
// name and a list of names (each ended by a NUL, the list by an empty one)
// are always terminated. Empty (Begin() null) when the size is 0 or beyond
// LongestDriverText, the read answers 0 or the memory cannot be had.
class DriverText {
public:
    DriverText(UINT category, UINT index);
    ~DriverText();
    DriverText(const DriverText&) = delete;
    DriverText& operator=(const DriverText&) = delete;
    const char* Begin() const { return static_cast<const char*>(memory); }
    UINT Size() const { return size; }  // the size announced; 0 when empty

private:
    HLOCAL memory = nullptr;
    UINT size = 0;
};

// Reads a driver text into buffer (size bytes), always terminated, cut safely
// when longer; answers the size the driver announced (0 when none).
UINT ReadDriverText(UINT category, UINT index, char* buffer, UINT size);
DWORD ReadDriverDword(UINT category, UINT index);
