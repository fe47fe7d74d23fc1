// The Tablet Setup dialog: opening, showing a settings record, command
// dispatch, OK, Cancel, Revert and Test, the status line and the enabling of
// controls (with the label subclass that keeps disabled labels' mnemonics
// from moving the focus).
#include "setup/setup.h"

#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "setup/setup_private.h"
#include "win/resources.h"

TabletSnapshot openedTablet;
ShownAxes shownAxes;
SetupSettings workingSettings;
SetupSettings openedSettings;
int areaUnit = 0;
int openedUnit = 0;
int preserveAspect = 0;
int openedPreserveAspect = 0;
UINT selectedButton = 0;

namespace {

// Labels subclassed by EnableControls: their window and previous procedure.
struct LabelSlot {
    HWND label;
    WNDPROC previous;
};
constexpr WORD LabelSlotCount = 10;
LabelSlot labelSlots[LabelSlotCount];
WORD labelCount = 0;

int FindLabelSlot(HWND label) {
    for (WORD i = 0; i < labelCount; ++i)
        if (labelSlots[i].label == label) return i;
    return -1;
}

void SubclassLabel(HWND label) {
    if (labelCount >= LabelSlotCount) return;  // full: the label is left alone
    labelSlots[labelCount].label = label;
    labelSlots[labelCount].previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_WNDPROC));
    SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelSubclassProc));
    ++labelCount;
}

void RemoveLabelSlot(int slot) {
    --labelCount;
    labelSlots[slot] = labelSlots[labelCount];
    labelSlots[labelCount] = LabelSlot{nullptr, nullptr};
}

bool IsStaticControl(HWND control) {
    char className[20] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "STATIC") == 0;
}

void AttachBuddy(HWND window, int spinId) {
    SendDlgItemMessageA(window, spinId, TWM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(window, spinId - 1)), 0);
}

INT_PTR OnInitDialog(HWND window) {
    areaUnit = CurrentUnit;
    openedUnit = CurrentUnit;
    openedPreserveAspect = preserveAspect;
    selectedButton = 0;

    TakeSnapshot(openedTablet, SettingsParts | SnapDefaultMap);
    SettingsFromSnapshot(openedTablet, workingSettings);
    openedSettings = workingSettings;
    shownAxes = ShownAxes{openedTablet.axisX, openedTablet.axisY};

    sensitivityField = SensitivityFieldFor(workingSettings);
    areaStep = AreaStep(TabletResolution(openedTablet));

    FillButtonList(window);
    FillActionList(window);
    FillUnitList(window);
    ShapeAreaControl(GetDlgItem(window, IDC_AREA_CONTROL));
    ShowSettings(window, workingSettings, areaUnit, preserveAspect, selectedButton);
    return FALSE;  // the dialog manager does not place the initial focus
}

// The focus moves to OK first, so a field still being edited is read.
// The unit is stored only when OK really closes the dialog: the warning's
// Cancel, or a tablet that no longer answers, keeps it open.
INT_PTR OnOK(HWND window) {
    FlashButton(window, IDOK);
    if (CommitSettings(window, workingSettings, openedSettings.buttonMap) != 1) return TRUE;
    CurrentUnit = areaUnit;
    WriteUnitPreference(CurrentUnit);
    EndDialog(window, 1);
    return TRUE;
}

// Cancel and Revert put back what the driver held at opening. A tablet
// that changed meanwhile gets nothing written, and the user is told, since
// what Test wrote may stay; one that was never read whole had nothing
// written by Test either.
void PutBackOpened(HWND window, SetupSettings& settings) {
    if (ApplySettings(settings) == WriteTabletChanged && !(openedSettings.unread & UnreadTablet))
        ShowErrorBox(window, IDS_TABLET_CHANGED);
}

INT_PTR OnCancel(HWND window) {
    FlashButton(window, IDCANCEL);
    SetupSettings opened = openedSettings;
    PutBackOpened(window, opened);  // also undoes what Test left in the driver
    EndDialog(window, 1);
    return TRUE;
}

INT_PTR OnRevert(HWND window) {
    areaUnit = openedUnit;
    preserveAspect = openedPreserveAspect;
    workingSettings = openedSettings;
    PutBackOpened(window, workingSettings);
    FlashButton(window, IDC_SETUP_REVERT);
    sensitivityField = SensitivityFieldFor(workingSettings);
    ShowSettings(window, workingSettings, areaUnit, preserveAspect, selectedButton);
    return TRUE;
}

INT_PTR OnTest(HWND window) {
    FlashButton(window, IDC_SETUP_TEST);
    CommitSettings(window, workingSettings, openedSettings.buttonMap);
    return TRUE;
}

INT_PTR OnAreaControlNotification(HWND window, WORD code) {
    if (code == SAN_AREARESET || code == SAN_AREACHANGED) return OnAreaControlArea(window, code);
    switch (const int prompt = AreaPromptOf(code)) {
    case AreaPromptKept: return FALSE;
    case AreaPromptCleared: ShowRestingStatus(window); return TRUE;
    default: ShowStatus(window, static_cast<UINT>(prompt)); return TRUE;
    }
}

INT_PTR OnCommand(HWND window, WORD id, WORD code) {
    switch (id) {
    case IDOK: return OnOK(window);
    case IDCANCEL: return OnCancel(window);
    case IDC_SETUP_REVERT: return OnRevert(window);
    case IDC_SETUP_TEST: return OnTest(window);
    case IDC_MODE_RELATIVE:
    case IDC_MODE_ABSOLUTE: return OnTrackingMode(window, id);
    case IDC_SENS_EDIT: return code == EN_KILLFOCUS ? OnSensitivityKillFocus(window) : FALSE;
    case IDC_SENS_SPIN: return OnSensitivitySpin(window, code);
    case IDC_DEFAULT_BUTTONS: return OnDefaultButtons(window);
    case IDC_BUTTON_LIST: return code == CBN_SELCHANGE ? OnButtonSelected(window) : FALSE;
    case IDC_ACTION_LIST: return code == CBN_SELCHANGE ? OnActionSelected(window) : FALSE;
    case IDC_WHOLE_TABLET: return OnWholeTablet(window);
    case IDC_PRESERVE_ASPECT: return OnPreserveAspect(window);
    case IDC_UNITS_LIST: return code == CBN_SELCHANGE ? OnUnitSelected(window) : FALSE;
    case IDC_WIDTH_EDIT:
    case IDC_HEIGHT_EDIT:
    case IDC_LEFT_EDIT:
    case IDC_TOP_EDIT:
    case IDC_RIGHT_EDIT:
    case IDC_BOTTOM_EDIT: return code == EN_KILLFOCUS ? OnAreaFieldKillFocus(window, id) : FALSE;
    case IDC_WIDTH_SPIN:
    case IDC_HEIGHT_SPIN:
    case IDC_LEFT_SPIN:
    case IDC_TOP_SPIN:
    case IDC_RIGHT_SPIN:
    case IDC_BOTTOM_SPIN: return OnAreaSpin(window, id, code);
    case IDC_AREA_CONTROL: return OnAreaControlNotification(window, code);
    default: return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
    }
}

void ShowSettings(HWND window, SetupSettings& settings, int unit, int preserve, UINT button) {
    CheckRadioButton(window, IDC_MODE_RELATIVE, IDC_MODE_ABSOLUTE,
                     settings.mode ? IDC_MODE_ABSOLUTE : IDC_MODE_RELATIVE);

    SendDlgItemMessageA(window, IDC_SENS_EDIT, EM_LIMITTEXT, SensitivityTextLimit, 0);
    ShowAndStoreSensitivity(window, settings);
    AttachBuddy(window, IDC_SENS_SPIN);

    CheckDlgButton(window, IDC_DEFAULT_BUTTONS, settings.defaultButtons ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(window, IDC_BUTTON_LIST, CB_SETCURSEL, button, 0);
    ShowButtonAction(window, settings, button);

    CheckDlgButton(window, IDC_WHOLE_TABLET, settings.wholeTablet ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_PRESERVE_ASPECT, preserve ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(window, IDC_UNITS_LIST, CB_SETCURSEL, unit, 0);

    ShowArea(window, settings.area, unit, AreaFieldsAll);
    static_assert(IDC_HEIGHT_SPIN - IDC_WIDTH_SPIN == IDC_AREA_FIELD_STRIDE &&
                      IDC_BOTTOM_SPIN - IDC_WIDTH_SPIN == 5 * IDC_AREA_FIELD_STRIDE,
                  "the six area fields' spins stand one field apart");
    for (int spin = IDC_WIDTH_SPIN; spin <= IDC_BOTTOM_SPIN; spin += IDC_AREA_FIELD_STRIDE) AttachBuddy(window, spin);
    SendDlgItemMessageA(window, IDC_AREA_CONTROL, SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&settings.area));

    EnableSensitivity(window, settings);
    ShowRestingStatus(window);
    EnableControls(window, IDC_ACTION_LIST, IDC_ACTION_LIST, settings.defaultButtons == 0);
    EnableControls(window, IDC_PRESERVE_ASPECT, IDC_PRESERVE_ASPECT, settings.wholeTablet == 0);
    EnableControls(window, IDC_WIDTH_LABEL, IDC_AREA_CONTROL, settings.wholeTablet == 0);
}

// The field's base is 0 exactly when the tablet's resolution, worked out at
// opening, gives no percentage: nothing typed there could be written.
void EnableSensitivity(HWND window, const SetupSettings& settings) {
    const bool scaled = sensitivityField.base != 0;
    EnableControls(window, IDC_SENS_LABEL, IDC_SENS_SPIN, settings.mode == 0 && scaled);
    if (!scaled) SetDlgItemTextA(window, IDC_SENS_EDIT, "");
}

// What could not be read at opening is shown as it came and never written;
// a sensitivity without a resolution cannot be changed: the line says so
// whenever it shows no prompt.
void ShowRestingStatus(HWND window) {
    if (openedSettings.unread & ~UnreadDefaultMap)
        ShowStatus(window, IDS_SETUP_UNREAD);
    else if (sensitivityField.base == 0)
        ShowStatus(window, IDS_NO_RESOLUTION);
    else
        SetDlgItemTextA(window, IDC_STATUS_LINE, " ");
}

void EnableControls(HWND window, UINT first, UINT last, BOOL enable) {
    for (UINT id = first; id <= last && id <= 0xFFFF; ++id) {
        HWND control = GetDlgItem(window, static_cast<int>(id));
        if (!control) continue;
        if (IsStaticControl(control) &&
            GetWindowLongPtrA(control, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(LabelSubclassProc))
            SubclassLabel(control);
        EnableWindow(control, enable);
    }
}

LRESULT CALLBACK LabelSubclassProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    int slot = FindLabelSlot(label);
    if (slot < 0) return DefWindowProcA(label, message, wParam, lParam);
    WNDPROC previous = labelSlots[slot].previous;
    switch (message) {
    case WM_GETDLGCODE:
        // A disabled label stops answering as a label, so the dialog manager
        // does not move the focus to the control after it by its mnemonic.
        if (!IsWindowEnabled(label)) return DefWindowProcA(label, message, wParam, lParam);
        break;
    case WM_DESTROY:
        RemoveLabelSlot(slot);
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        break;
    default: break;
    }
    return CallWindowProcA(previous, label, message, wParam, lParam);
}

int SubclassedLabelCount() { return labelCount; }

void FlashButton(HWND window, int id) {
    HWND button = GetDlgItem(window, id);
    if (!button || GetFocus() == button) return;
    SetFocus(button);
    SendMessageA(button, BM_SETSTATE, 1, 0);
    SendMessageA(button, BM_SETSTATE, 0, 0);
}

void ShowStatus(HWND window, UINT stringId) {
    char text[80] = "";
    LoadStringA(ResourceInstance(), stringId, text, sizeof text);
    SetDlgItemTextA(window, IDC_STATUS_LINE, text);
}
