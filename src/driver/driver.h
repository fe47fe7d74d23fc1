// The driver operations as the program calls them: one wrapper per entry
// point (bound by ordinal on first use, 0 when the library or the entry is
// missing), the binding layer, and device selection with the shared queries.
#pragma once

#include "driver/vellix.h"

// One binding per entry point, linked into the bound list once resolved.
struct EntryBinding {
    const char* name;      // used only when ordinal is 0
    DWORD ordinal;         // nonzero: look up by ordinal
    FARPROC address;       // 0 while unbound
    EntryBinding* next;    // bound list link
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

// Device selection and the queries every dialog shares.
extern const char* selectionText;  // the process's whole command line
WORD SelectDevice();
void ForgetDeviceSelection();      // for tests: the next SelectDevice searches again
DWORD FirstActiveCursor();
DWORD TabletUnitIndex();
DWORD TabletResolution();
DWORD TabletResolutionRounded();
DWORD TabletWidth();
DWORD TabletHeight();
DWORD PenOptionSupported();
DWORD PenOptionInContext(const ContextRecord& record);

// Small readers over VXInfoA for the selected device.
UINT DeviceCategory();                    // 100 + the selected device
bool ReadAxis(UINT axisIndex, AxisInfo& axis);  // DeviceAxisX or DeviceAxisY; false leaves axis zeroed
// Reads a driver text into buffer (size bytes), always terminated, cut safely
// when longer; answers the full length the driver reported (0 when none).
UINT ReadDriverText(UINT category, UINT index, char* buffer, UINT size);
DWORD ReadDriverDword(UINT category, UINT index);
