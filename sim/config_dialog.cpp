// The stand-in's own device configuration dialog: a pressure-feel choice
// with OK and Cancel, run modally over the caller's window.
#include "stand_in.h"
#include "vellix_control.h"

namespace sim {

namespace {

struct ConfigDialogData {
    std::string deviceName;
    int choice;
    bool restart;
};

void OnInitDialog(HWND dialog, const ConfigDialogData& data) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    // Only the identification part of the name, up to its first separator.
    std::string shown = data.deviceName.substr(0, data.deviceName.find_first_of(";\r\n"));
    SetDlgItemTextA(dialog, VXC_CONFIG_DEVICE, shown.c_str());
    CheckRadioButton(dialog, VXC_CONFIG_SOFT, VXC_CONFIG_FIRM, VXC_CONFIG_SOFT + data.choice);
    ShowWindow(GetDlgItem(dialog, VXC_CONFIG_RESTART), data.restart ? SW_SHOW : SW_HIDE);
}

int CheckedChoice(HWND dialog, int fallback) {
    for (int id = VXC_CONFIG_SOFT; id <= VXC_CONFIG_FIRM; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - VXC_CONFIG_SOFT;
    }
    return fallback;
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog, *reinterpret_cast<const ConfigDialogData*>(lParam)); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* data = reinterpret_cast<ConfigDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
            EndDialog(dialog, 1 + CheckedChoice(dialog, data ? data->choice : 1));
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

int RunConfigDialog(HWND owner, const std::string& deviceName, int choice, bool restart) {
    ConfigDialogData data = {deviceName, choice < 0 || choice > 2 ? 1 : choice, restart};
    INT_PTR result = DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(VXC_CONFIG_DIALOG), owner, ConfigDialogProc,
                                     reinterpret_cast<LPARAM>(&data));
    return result >= 1 && result <= 3 ? static_cast<int>(result - 1) : -1;
}

}  // namespace sim
