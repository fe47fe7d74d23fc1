// The Tablet Information dialog: identification, format and installed cursor
// of the tablet, and its size and resolutions in the unit the user picks.
// The unit becomes the program's unit, and is saved, only on OK.
#include "core/name_parts.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "win/resources.h"
#include "win/glue.h"

namespace {

constexpr int DeviceNameSize = 200;
constexpr int CursorNameSize = 80;
constexpr int ListEntrySize = 40;

int workingUnit = UnitInches;       // a copy of CurrentUnit until OK
char deviceName[DeviceNameSize];
TemplateLineBuffers templateLine;   // a line's template read back from its control, and the line
char cursorName[CursorNameSize];    // the installed cursor's name, kept between openings

struct ValueLine {
    int controlId;
    unsigned kind;
};
const ValueLine valueLines[] = {
    {IDC_INFO_WIDTH, KindLengthX},
    {IDC_INFO_HEIGHT, KindLengthY},
    {IDC_INFO_XRES, KindResolutionX},
    {IDC_INFO_YRES, KindResolutionY},
};

void LoadUnknown(char* text, int size) {
    text[0] = '\0';
    LoadStringA(ResourceInstance(), IDS_UNKNOWN, text, size);
}

void ShowIdentification(HWND dialog) {
    char identification[DeviceNameSize];
    CopyIdentification(deviceName, identification, sizeof identification);
    SetDlgItemTextA(dialog, IDC_INFO_ID, identification);
}

void ShowFormat(HWND dialog) {
    char format[DeviceNameSize];
    if (!FindFormatName(deviceName, format, sizeof format)) LoadUnknown(format, sizeof format);
    FillTemplateText(dialog, IDC_INFO_FORMAT, format, templateLine);
}

// The lowest-numbered active cursor's name into cursorName; false when no
// cursor reports itself active.
bool ReadInstalledCursorName() {
    UINT device = DeviceCategory();
    DWORD count = ReadDriverDword(device, DeviceCursorCount);
    DWORD first = ReadDriverDword(device, DeviceFirstCursor);
    DWORD cursor;
    if (!FindActiveCursor(first, count, cursor)) return false;
    ReadDriverText(CursorInfo + cursor, CursorName, cursorName, sizeof cursorName);
    return true;
}

void ShowInstalledCursor(HWND dialog) {
    // With no active cursor the line says so rather than repeating a name
    // left over from an earlier opening.
    char unknown[ListEntrySize];
    const char* name = cursorName;
    if (!ReadInstalledCursorName()) {
        LoadUnknown(unknown, sizeof unknown);
        name = unknown;
    }
    FillTemplateText(dialog, IDC_INFO_CURSOR, name, templateLine);
}

void FillUnitList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_INFO_UNITS);
    AddStringRange(list, ResourceInstance(), IDS_INCHES, IDS_CENTIMETERS);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(workingUnit), 0);
}

void ShowValues(HWND dialog) {
    const DWORD counts[] = {TabletWidth(), TabletHeight(), 1, 1};
    for (size_t i = 0; i < sizeof valueLines / sizeof valueLines[0]; ++i) {
        const char* text = FormatMeasure(counts[i], workingUnit, valueLines[i].kind);
        SetDlgItemTextA(dialog, valueLines[i].controlId, text ? text : "");
    }
}

BOOL OnInitDialog(HWND dialog) {
    workingUnit = CurrentUnit;
    ReadDriverText(DeviceCategory(), DeviceName, deviceName, sizeof deviceName);
    ShowIdentification(dialog);
    ShowFormat(dialog);
    ShowInstalledCursor(dialog);
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
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);  // nothing is stored
        return TRUE;
    case IDC_INFO_UNITS:
        if (code == CBN_SELCHANGE) OnUnitChanged(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}
