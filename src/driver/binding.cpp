// Lazy binding of the driver's entry points by ordinal. The library is loaded
// on the first call of any wrapper; there is no negative caching, so a missing
// library or entry is looked for again on every call.
#include "driver/driver.h"

namespace {

HMODULE libraryHandle = nullptr;
EntryBinding* boundHead = nullptr;

#define DEFINE_BINDING(name, ordinal, result, params, args) EntryBinding name##Binding = {ordinal, nullptr, nullptr};
VELLIX_ENTRY_POINTS(DEFINE_BINDING)
#undef DEFINE_BINDING

#define LIST_BINDING(name, ordinal, result, params, args) &name##Binding,
EntryBinding* const allBindings[] = {VELLIX_ENTRY_POINTS(LIST_BINDING)};
#undef LIST_BINDING

// The driver is looked for in the program's folder, the system folders and
// PATH, never in the current folder: a Vellix32.dll someone left in a
// downloads folder or a share the program was started from is not loaded.
// Naming a DLL directory takes the current folder out of the search; the
// program's own folder is named, which it searches first anyway (an empty
// name does the same on Windows but is ignored by Wine).
void KeepCurrentFolderOutOfSearch() {
    static bool done = false;
    if (done) return;
    done = true;
    WCHAR folder[1024];
    DWORD length = GetModuleFileNameW(nullptr, folder, sizeof folder / sizeof folder[0]);
    if (length == 0 || length >= sizeof folder / sizeof folder[0]) {
        SetDllDirectoryW(L"");
        return;
    }
    WCHAR* lastSeparator = nullptr;
    for (WCHAR* c = folder; *c; ++c)
        if (*c == L'\\' || *c == L'/') lastSeparator = c;
    if (lastSeparator) *lastSeparator = L'\0';
    SetDllDirectoryW(lastSeparator ? folder : L"");
}

}  // namespace

void BindEntry(EntryBinding* binding) {
    if (!libraryHandle) {
        KeepCurrentFolderOutOfSearch();
        libraryHandle = LoadLibraryW(L"Vellix32");
    }
    if (!libraryHandle) return;
    binding->address = GetProcAddress(libraryHandle, MAKEINTRESOURCEA(binding->ordinal));
    if (binding->address) {
        binding->next = boundHead;
        boundHead = binding;
    }
}

void UnloadDriver() {
    if (!libraryHandle) return;
    FreeLibrary(libraryHandle);
    libraryHandle = nullptr;
    while (boundHead) {
        EntryBinding* next = boundHead->next;
        boundHead->address = nullptr;
        boundHead->next = nullptr;
        boundHead = next;
    }
}

HMODULE DriverLibraryHandle() { return libraryHandle; }
EntryBinding* BoundEntryList() { return boundHead; }

EntryBinding* DriverBinding(DWORD ordinal) {
    for (EntryBinding* binding : allBindings)
        if (binding->ordinal == ordinal) return binding;
    return nullptr;
}

// Each wrapper binds on first use and returns 0 while its entry is missing.
// The function type comes from the same list as the stand-in's exports, so a
// mismatch between the two cannot compile silently.
#define DEFINE_WRAPPER(name, ordinal, result, params, args)                                      \
    result name params {                                                                         \
        typedef result(WINAPI* EntryType) params;                                                \
        if (!name##Binding.address) BindEntry(&name##Binding);                                   \
        if (!name##Binding.address) return 0;                                                    \
        return reinterpret_cast<EntryType>(reinterpret_cast<void*>(name##Binding.address)) args; \
    }
VELLIX_ENTRY_POINTS(DEFINE_WRAPPER)
#undef DEFINE_WRAPPER
