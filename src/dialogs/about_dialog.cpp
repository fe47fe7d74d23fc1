// The About box: the program's own name and version, and the driver version
// found in the device name.
#include "core/name_parts.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "win/resources.h"

namespace {

constexpr int DeviceNameSize = 200;
constexpr int LineSize = 80;

char templateText[LineSize];
char deviceName[DeviceNameSize];
char composedLine[LineSize];

BOOL OnInitDialog(HWND dialog) {
    templateText[0] = '\0';
    GetDlgItemTextA(dialog, IDC_ABOUT_DRIVER, templateText, LineSize);
    ReadDriverText(DeviceCategory(), DeviceName, deviceName, sizeof deviceName);
    char version[DeviceNameSize];
    if (!FindDriverVersion(deviceName, version, sizeof version)) {
        version[0] = '\0';
        LoadStringA(ResourceInstance(), IDS_UNKNOWN, version, sizeof version);
    }
    FillTemplate(templateText, version, composedLine, sizeof composedLine);
    SetDlgItemTextA(dialog, IDC_ABOUT_DRIVER, composedLine);
    return FALSE;  // leave the focus where the system put it
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        // Only OK and Cancel (Escape) themselves, with no notification code.
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
