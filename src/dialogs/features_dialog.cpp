// The Features dialog: the user picks which of the tablet's cursor types the
// driver enables. The driver is changed only on OK.
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "exchange/exchange.h"

namespace {

constexpr WORD NoActiveEntry = 0xFFFF;

TabletSnapshot tablet;             // read when the dialog opens
WORD activeEntry = NoActiveEntry;  // the cursor the driver reported active
WORD selectedEntry = 0;

// A list position p stands for cursor first + p.
UINT CursorNumber(WORD entry) { return static_cast<WORD>(tablet.firstCursor) + static_cast<UINT>(entry); }

// Every cursor type in numbering order; the last active one wins.
void FillCursorList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FEAT_CURSORS);
    for (DWORD p = 0; p < tablet.listed; ++p) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tablet.cursors[p].name));
        if (tablet.cursors[p].active) activeEntry = static_cast<WORD>(p);
    }
}

BOOL OnInitDialog(HWND dialog) {
    activeEntry = NoActiveEntry;
    TakeSnapshot(tablet, SnapCursors | SnapCursorNames, DriverWalkLimit);
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

// Whether the driver answered for the cursor of a list position: a cursor
// it never answered for is not enabled, its number would come from failed
// queries. A device that answered with no cursor types still gets its first
// cursor enabled.
bool EntryAnswered(WORD entry) {
    if (!tablet.cursorsWhole) return false;
    if (tablet.listed == 0) return entry == 0;
    return entry < tablet.listed && (tablet.cursors[entry].nameWhole || tablet.cursors[entry].activeWhole);
}

// Disables the old cursor and enables the chosen one, even when they are
// the same cursor.
void OnOk(HWND dialog) {
    if (EntryAnswered(selectedEntry))
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
