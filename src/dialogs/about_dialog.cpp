// The About box: the program's own name and version, and the driver version
// found in the device name.
#include "core/name_parts.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "win/resources.h"
#include "win/glue.h"

namespace {

constexpr int DeviceNameSize = 200;

TemplateLineBuffers versionLine;
char deviceName[DeviceNameSize];

BOOL OnInitDialog(HWND dialog) {
    ReadDriverText(DeviceCategory(), DeviceName, deviceName, sizeof deviceName);
    char version[DeviceNameSize];
    if (!FindDriverVersion(deviceName, version, sizeof version)) {
        version[0] = '\0';
        LoadStringA(ResourceInstance(), IDS_UNKNOWN, version, sizeof version);
    }
    FillTemplateText(dialog, IDC_ABOUT_DRIVER, version, versionLine);
    return FALSE;  // the dialog manager does not place the initial focus
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
