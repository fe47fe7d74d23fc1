// The upper half of the Tablet Setup dialog: tracking mode, the sensitivity
// field with its spin control, and the button assignments.
#include <cstring>

#include "controls/controls.h"
#include "core/sensitivity.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "win/glue.h"
#include "win/resources.h"

SensitivityField sensitivityField = {0, 100, 500};

namespace {

// Button names beyond what a button map can assign are not listed.
constexpr UINT MaxListedButtons = sizeof(ButtonMap::entry);

SensitivityScale OpenedScale() {
    return MakeSensitivityScale(TabletResolution(openedTablet), TabletUnitIndex(openedTablet) == 1);
}

void ShowSensitivity(HWND window) { ShowAndStoreSensitivity(window, workingSettings); }

}  // namespace

SensitivityField SensitivityFieldFor(const SetupSettings& settings) {
    SensitivityScale scale = OpenedScale();
    SensitivityField field;
    field.base = scale.base;
    field.percent = SensitivityToPercentValue(settings.sensitivity, scale);
    field.maximum = 100;
    if (field.percent > field.maximum) field.percent = field.maximum;
    return field;
}

void ShowAndStoreSensitivity(HWND window, SetupSettings& settings) {
    // Without a scale no percentage stands for a driver value, and the
    // percentage shown at opening stands for the driver's own value on any
    // scale: either way the record keeps the sensitivity the driver gave, so
    // a sensitivity the user did not change is written back as it was read.
    SensitivityScale scale = OpenedScale();
    if (!HasSensitivityScale(scale) || sensitivityField.percent == SensitivityFieldFor(openedSettings).percent)
        settings.sensitivity = openedSettings.sensitivity;
    else
        settings.sensitivity = PercentToSensitivityValue(sensitivityField.percent, scale);
    char text[16];  // "%d" and a percent sign
    FormatPercent(sensitivityField.percent, text, sizeof text);
    SetDlgItemTextA(window, IDC_SENS_EDIT, text);
}

void ReadSensitivityText(char* text) {
    uint32_t percent = sensitivityField.percent;
    SensitivityParse outcome = ReadSensitivityValue(text, percent, sensitivityField.maximum, PlatformCharClass());
    sensitivityField.percent = percent;
    if (SensitivityWantsBeep(outcome)) MessageBeep(0);
}

void FillButtonList(HWND window) {
    HWND list = GetDlgItem(window, IDC_BUTTON_LIST);
    const CursorButtons& buttons = openedTablet.active;
    for (UINT b = 0; b < buttons.nameCount && b < MaxListedButtons; ++b)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ButtonName(buttons, b)));
}

void FillActionList(HWND window) {
    UINT last = openedTablet.penOption ? IDS_ACTION_LAST_PEN : IDS_ACTION_LAST;
    AddStringRange(GetDlgItem(window, IDC_ACTION_LIST), ResourceInstance(), IDS_ACTION_FIRST, last);
}

void ShowButtonAction(HWND window, const SetupSettings& settings, UINT button) {
    UINT code = button < MaxListedButtons ? settings.buttonMap.entry[button] & ActionCodeMask : 0;
    if (openedTablet.penOption && code >= PenOptionCodeCount) code = 0;
    HWND list = GetDlgItem(window, IDC_ACTION_LIST);
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    // A code without a list entry leaves the list without a selection.
    WPARAM position = static_cast<LRESULT>(code) < count ? code : static_cast<WPARAM>(-1);
    SendMessageA(list, CB_SETCURSEL, position, 0);
}

INT_PTR OnTrackingMode(HWND window, WORD id) {
    workingSettings.mode = id - IDC_MODE_RELATIVE;
    CheckRadioButton(window, IDC_MODE_RELATIVE, IDC_MODE_ABSOLUTE, id);
    EnableSensitivity(window, workingSettings);
    return TRUE;
}

INT_PTR OnSensitivityKillFocus(HWND window) {
    char text[41] = "";
    GetDlgItemTextA(window, IDC_SENS_EDIT, text, sizeof text);
    ReadSensitivityText(text);
    ShowSensitivity(window);  // a rejected entry shows the previous value again
    return TRUE;
}

INT_PTR OnSensitivitySpin(HWND window, WORD code) {
    switch (code) {
    case TWN_UP:
        if (sensitivityField.percent < sensitivityField.maximum) {
            ++sensitivityField.percent;
            ShowSensitivity(window);
        }
        return TRUE;
    case TWN_DOWN:
        if (sensitivityField.percent > 1) {
            --sensitivityField.percent;
            ShowSensitivity(window);
        }
        return TRUE;
    default: return FALSE;
    }
}

INT_PTR OnDefaultButtons(HWND window) {
    DWORD fresh = ToggleCheckBox(window, IDC_DEFAULT_BUTTONS) ? 1 : 0;
    workingSettings.defaultButtons = fresh;
    if (fresh) {
        workingSettings = ProbeSettings(workingSettings);  // the driver's default map comes back in buttonMap
        SendDlgItemMessageA(window, IDC_BUTTON_LIST, CB_SETCURSEL, selectedButton, 0);
        ShowButtonAction(window, workingSettings, selectedButton);
    }
    EnableControls(window, IDC_ACTION_LIST, IDC_ACTION_LIST, workingSettings.defaultButtons == 0);
    return TRUE;
}

INT_PTR OnButtonSelected(HWND window) {
    LRESULT selection = SendDlgItemMessageA(window, IDC_BUTTON_LIST, CB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= static_cast<LRESULT>(MaxListedButtons)) return TRUE;
    selectedButton = static_cast<UINT>(selection);
    ShowButtonAction(window, workingSettings, selectedButton);
    return TRUE;
}

INT_PTR OnActionSelected(HWND window) {
    LRESULT selection = SendDlgItemMessageA(window, IDC_ACTION_LIST, CB_GETCURSEL, 0, 0);
    if (selection < 0 || selectedButton >= MaxListedButtons) return TRUE;
    uint8_t& entry = workingSettings.buttonMap.entry[selectedButton];
    entry = static_cast<uint8_t>((entry & ~ActionCodeMask) | (selection & ActionCodeMask));
    workingSettings.defaultButtons = 0;  // the box stays as it is
    return TRUE;
}
