// The driver operations as the program calls them: one wrapper per entry
// point (bound by ordinal on first use, 0 when the library or the entry is
// missing) and the binding layer. What the driver is asked goes through the
// one reader (exchange/snapshot.h); only writes are made from elsewhere.
#pragma once

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
