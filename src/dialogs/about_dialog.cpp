// The About box: the program's own name and version, and the driver version
// found in the device name.
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "exchange/tablet_report.h"
#include "win/glue.h"

namespace {

TemplateLineBuffers versionLine;

BOOL OnInitDialog(HWND dialog) {
    static TabletSnapshot tablet;
    TakeSnapshot(tablet, SnapName);
    char version[DeviceNameSize];
    DriverVersion(tablet, version, sizeof version);
    FillTemplateText(dialog, IDC_ABOUT_DRIVER, version, versionLine);
    return FALSE;  // the dialog manager does not place the initial focus
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        // Only OK and Cancel (Escape) themselves, with no notification code.
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}
