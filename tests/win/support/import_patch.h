// Calls the program makes to user32 redirected for tests: this executable's
// import slot of a function pointed elsewhere, so that beeps are counted,
// message boxes noted before they show and a log-off recorded instead of
// done. The program's code is linked into the test executable, so its calls
// go through these slots.
#pragma once

#include <windows.h>

#include <vector>

// Points this executable's import of a user32 function at replacement and
// answers the previous target (null when the function is not imported).
void* PatchUser32Import(const char* function, void* replacement);

// MessageBeep calls the program made so far (the import is redirected to a
// counter on first use); -1 when they cannot be counted.
int BeepCount();

// The style and owner the program last gave MessageBoxA (the import is
// redirected on first use; the box is shown as asked).
struct MessageBoxRequest {
    UINT style = 0;
    HWND owner = nullptr;
};
MessageBoxRequest LastMessageBoxRequest();
void RecordMessageBoxes();

// ExitWindowsEx calls, recorded instead of ending the session (the import is
// redirected on first use). False when the import cannot be redirected.
struct ExitWindowsCall {
    UINT flags;
    DWORD reason;
};
bool RecordExitWindows();
const std::vector<ExitWindowsCall>& ExitWindowsCalls();
void ForgetExitWindowsCalls();
