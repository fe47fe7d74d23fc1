// The Features dialog: the user picks which of the tablet's cursor types the
// driver enables. The driver is changed only on OK.
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "exchange/exchange.h"

namespace {

constexpr WORD NoActiveEntry = 0xFFFF;
constexpr int CursorNameSize = 100;

WORD firstCursor = 0;  // list position p stands for cursor firstCursor + p
WORD cursorCount = 0;
bool cursorTypesRead = false;         // the device's first cursor and count answered
bool entryAnswered[DriverWalkLimit];  // the cursor answered for its name or its state
WORD activeEntry = NoActiveEntry;     // the cursor the driver reported active
WORD selectedEntry = 0;
char cursorName[CursorNameSize];

UINT CursorNumber(WORD entry) { return static_cast<UINT>(firstCursor) + entry; }

// Every cursor type in numbering order; the last active one wins.
void FillCursorList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FEAT_CURSORS);
    WalkCursorTypes(firstCursor, cursorCount, DriverWalkLimit, [&](DWORD p, DWORD number) {
        UINT category = CursorInfo + number;
        bool named = ReadDriverText(category, CursorName, cursorName, sizeof cursorName) != 0;
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cursorName));
        DWORD active = 0;
        bool stated = ReadDriverRecord(category, CursorActive, active) != 0;
        if (active != 0) activeEntry = static_cast<WORD>(p);
        entryAnswered[p] = named || stated;
        return true;
    });
}

BOOL OnInitDialog(HWND dialog) {
    activeEntry = NoActiveEntry;
    DWORD first, count;
    cursorTypesRead = ReadCursorTypes(first, count);
    firstCursor = static_cast<WORD>(first);
    cursorCount = static_cast<WORD>(count);
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
// the same cursor. A cursor the driver never answered for is not enabled:
// its number would come from failed queries.
void OnOk(HWND dialog) {
    if (cursorTypesRead && selectedEntry < cursorCount && entryAnswered[selectedEntry])
        SwitchCursorType(activeEntry != NoActiveEntry, CursorNumber(activeEntry), CursorNumber(selectedEntry));
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);  // the driver is not called
        return TRUE;
    case IDC_FEAT_CURSORS:
        if (code == CBN_SELCHANGE) OnSelectionChanged(dialog);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK FeaturesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
    }
}
