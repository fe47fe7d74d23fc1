// The Features dialog: the user picks which of the tablet's cursor types the
// driver enables. The driver is changed only on OK.
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "driver/session.h"

namespace {

constexpr WORD NoActiveEntry = 0xFFFF;
constexpr int CursorNameSize = 100;

WORD firstCursor = 0;           // list position p stands for cursor firstCursor + p
WORD cursorCount = 0;
WORD activeEntry = NoActiveEntry;  // the cursor the driver reported active
WORD selectedEntry = 0;
char cursorName[CursorNameSize];

UINT CursorNumber(WORD entry) { return static_cast<UINT>(firstCursor) + entry; }

// Every cursor type in numbering order; the last active one wins.
void FillCursorList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FEAT_CURSORS);
    for (WORD p = 0; p < cursorCount; ++p) {
        UINT category = CursorInfo + CursorNumber(p);
        ReadDriverText(category, CursorName, cursorName, sizeof cursorName);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cursorName));
        if (ReadDriverDword(category, CursorActive) != 0) activeEntry = p;
    }
}

BOOL OnInitDialog(HWND dialog) {
    activeEntry = NoActiveEntry;
    UINT device = DeviceCategory();
    firstCursor = static_cast<WORD>(ReadDriverDword(device, DeviceFirstCursor));
    DWORD count = ReadDriverDword(device, DeviceCursorCount);
    cursorCount = static_cast<WORD>(count < DriverWalkLimit ? count : DriverWalkLimit);
    FillCursorList(dialog);
    selectedEntry = activeEntry == NoActiveEntry ? 0 : activeEntry;
    SendDlgItemMessageA(dialog, IDC_FEAT_CURSORS, CB_SETCURSEL, selectedEntry, 0);
    return TRUE;
}

void OnSelectionChanged(HWND dialog) {
    LRESULT selection = SendDlgItemMessageA(dialog, IDC_FEAT_CURSORS, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR) return;
    selectedEntry = static_cast<WORD>(selection);
}

// Disables the old cursor and enables the chosen one, even when they are
// the same cursor.
void OnOk(HWND dialog) {
    if (activeEntry != NoActiveEntry) VXMgrCsrEnable(SessionManager(), CursorNumber(activeEntry), FALSE);
    VXMgrCsrEnable(SessionManager(), CursorNumber(selectedEntry), TRUE);
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);  // the driver is not called
        return TRUE;
    case IDC_FEAT_CURSORS:
        if (code == CBN_SELCHANGE) OnSelectionChanged(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK FeaturesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}
