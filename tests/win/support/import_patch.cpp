// Redirected user32 imports; see import_patch.h.
#include "support/import_patch.h"

#include <cstring>
#include <vector>

void* PatchUser32Import(const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return nullptr;
    auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), "user32.dll") != 0) continue;
        DWORD namesRva = import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesRva);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return previous;
        }
    }
    return nullptr;
}

namespace {

int beeps = 0;
BOOL WINAPI CountingBeep(UINT) {
    ++beeps;
    return TRUE;
}

typedef int(WINAPI* MessageBoxFn)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxFn realMessageBox = nullptr;
MessageBoxRequest lastBox;
int WINAPI RecordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    lastBox.style = style;
    lastBox.owner = owner;
    return realMessageBox(owner, text, caption, style);
}

std::vector<ExitWindowsCall> exitCalls;
BOOL WINAPI RecordingExitWindows(UINT flags, DWORD reason) {
    exitCalls.push_back({flags, reason});
    return TRUE;
}

}  // namespace

int BeepCount() {
    static bool counting = PatchUser32Import("MessageBeep", reinterpret_cast<void*>(CountingBeep)) != nullptr;
    return counting ? beeps : -1;
}

void RecordMessageBoxes() {
    if (realMessageBox) return;
    realMessageBox =
        reinterpret_cast<MessageBoxFn>(PatchUser32Import("MessageBoxA", reinterpret_cast<void*>(RecordingMessageBox)));
    if (!realMessageBox) realMessageBox = MessageBoxA;
}

MessageBoxRequest LastMessageBoxRequest() { return lastBox; }

bool RecordExitWindows() {
    static bool recording = PatchUser32Import("ExitWindowsEx", reinterpret_cast<void*>(RecordingExitWindows)) != nullptr;
    return recording;
}

const std::vector<ExitWindowsCall>& ExitWindowsCalls() { return exitCalls; }
void ForgetExitWindowsCalls() { exitCalls.clear(); }
