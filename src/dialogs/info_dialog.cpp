// The Tablet Information dialog: identification, format and installed cursor
// of the tablet, and its size and resolutions in the unit the user picks.
// The unit becomes the program's unit, and is saved, only on OK.
#include "core/name_parts.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "win/resources.h"

namespace {

constexpr int DeviceNameSize = 200;
constexpr int LineSize = 80;
constexpr int CursorNameSize = 80;
constexpr int ListEntrySize = 40;

int workingUnit = UnitInches;       // a copy of CurrentUnit until OK
char deviceName[DeviceNameSize];
char templateText[LineSize];        // a line's template read back from its control
char composedLine[LineSize];
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

// Sets a control's text to its own template with value in place of "%s".
void FillLineFromTemplate(HWND dialog, int controlId, const char* value) {
    templateText[0] = '\0';
    GetDlgItemTextA(dialog, controlId, templateText, LineSize);
    FillTemplate(templateText, value, composedLine, sizeof composedLine);
    SetDlgItemTextA(dialog, controlId, composedLine);
}

void ShowIdentification(HWND dialog) {
    char identification[DeviceNameSize];
    CopyIdentification(deviceName, identification, sizeof identification);
    SetDlgItemTextA(dialog, IDC_INFO_ID, identification);
}

void ShowFormat(HWND dialog) {
    char format[DeviceNameSize];
    if (!FindFormatName(deviceName, format, sizeof format)) LoadUnknown(format, sizeof format);
    FillLineFromTemplate(dialog, IDC_INFO_FORMAT, format);
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
    FillLineFromTemplate(dialog, IDC_INFO_CURSOR, name);
}

void FillUnitList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_INFO_UNITS);
    char entry[ListEntrySize];
    for (UINT id = IDS_INCHES; id <= IDS_CENTIMETERS; ++id) {
        entry[0] = '\0';
        LoadStringA(ResourceInstance(), id, entry, sizeof entry);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
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
    return FALSE;  // leave the focus where the system put it
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
