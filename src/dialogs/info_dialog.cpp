// The Tablet Information dialog: identification, format and installed cursor
// of the tablet, and its size and resolutions in the unit the user picks.
// The unit becomes the program's unit, and is saved, only on OK.
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "exchange/tablet_report.h"
#include "win/glue.h"
#include "win/resources.h"

namespace {

TabletSnapshot tablet;             // read when the dialog opens
int workingUnit = UnitInches;      // a copy of CurrentUnit until OK
TemplateLineBuffers templateLine;  // a line's template read back from its control, and the line

// The control of each measurement line, in the lines' order.
const int valueLineControls[MeasureLineTotal] = {IDC_INFO_WIDTH, IDC_INFO_HEIGHT, IDC_INFO_XRES, IDC_INFO_YRES};

// The identification, format and cursor lines; with no format part or no
// active cursor the line says "unknown" rather than repeating an earlier name.
void ShowReport(HWND dialog) {
    TabletReport report;
    MakeTabletReport(tablet, report);
    SetDlgItemTextA(dialog, IDC_INFO_ID, report.identification);
    FillTemplateText(dialog, IDC_INFO_FORMAT, report.format, templateLine);
    FillTemplateText(dialog, IDC_INFO_CURSOR, report.cursor, templateLine);
}

void FillUnitList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_INFO_UNITS);
    AddStringRange(list, ResourceInstance(), IDS_INCHES, IDS_CENTIMETERS);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(workingUnit), 0);
}

void ShowValues(HWND dialog) {
    const DWORD width = TabletWidth(tablet), height = TabletHeight(tablet);
    const ShownAxes axes = {tablet.axisX, tablet.axisY};
    for (int i = 0; i < MeasureLineTotal; ++i) {
        const MeasureLine& line = MeasureLines[i];
        const char* text = FormatMeasure(MeasureLineCount(line, width, height), workingUnit, line.kind, axes);
        SetDlgItemTextA(dialog, valueLineControls[i], text ? text : "");
    }
}

// The template's first control, the logo's place (features.h says why the
// logo is not found by its name).
void ShowLogo(HWND dialog) {
    HWND logo = GetWindow(dialog, GW_CHILD);
    HICON icon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(ICON_LOGO));
    if (logo && icon) SendMessageA(logo, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

BOOL OnInitDialog(HWND dialog) {
    ShowLogo(dialog);
    workingUnit = CurrentUnit;
    TakeSnapshot(tablet, ReportParts);
    ShowReport(dialog);
    FillUnitList(dialog);
    ShowValues(dialog);
    return FALSE;  // the dialog manager does not place the initial focus
}

void OnUnitChanged(HWND dialog) {
    LRESULT selection = SendDlgItemMessageA(dialog, IDC_INFO_UNITS, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR) return;
    workingUnit = static_cast<int>(selection);
    ShowValues(dialog);
}

void OnOk(HWND dialog) {
    CurrentUnit = workingUnit;
    WriteUnitPreference(workingUnit);
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);  // nothing is stored
        return TRUE;
    case IDC_INFO_UNITS:
        if (code == CBN_SELCHANGE) OnUnitChanged(dialog);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default: return FALSE;
    }
}
