// Placeholder dialog procedures until the dialogs land: OK and Cancel close.
#include "dialogs/dialogs.h"

namespace {
INT_PTR ClosingDialogProc(HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

INT_PTR CALLBACK InfoDialogProc(HWND d, UINT m, WPARAM w, LPARAM) { return ClosingDialogProc(d, m, w); }
INT_PTR CALLBACK FeaturesDialogProc(HWND d, UINT m, WPARAM w, LPARAM) { return ClosingDialogProc(d, m, w); }
INT_PTR CALLBACK AboutDialogProc(HWND d, UINT m, WPARAM w, LPARAM) { return ClosingDialogProc(d, m, w); }
