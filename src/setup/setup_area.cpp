// The "Tracking Area" group of the Tablet Setup dialog: the six area fields
// with their spin controls, the unit list, Whole Tablet, Preserve Aspect
// Ratio and the area control. The arithmetic is in area_math.
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "win/glue.h"
#include "win/resources.h"

DWORD areaStep = 1;
AreaBox shownArea;
AreaLimits areaLimits;

namespace {

// The edit control of each area field, in the fields' order.
const int areaFieldEdits[AreaFieldCount] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT,
                                            IDC_TOP_EDIT,   IDC_RIGHT_EDIT,  IDC_BOTTOM_EDIT};

// The field an edit control shows; AreaFieldCount (no field) for any other id.
AreaField FieldOfEdit(int editId) {
    for (int field = 0; field < AreaFieldCount; ++field)
        if (areaFieldEdits[field] == editId) return static_cast<AreaField>(field);
    return AreaFieldCount;
}

// The figures worked out at opening, on the tablet read then.
AreaLimits CurrentLimits() {
    AreaLimits limits = areaLimits;
    limits.W = TabletWidth(openedTablet);
    limits.H = TabletHeight(openedTablet);
    limits.areaStep = areaStep;
    if (limits.W == 0 || limits.H == 0) limits.aspectUsable = false;
    return limits;
}

void WriteAreaField(HWND window, AreaField field, const AreaBox& area, int unit, const AreaLimits& limits) {
    int id = areaFieldEdits[field];
    SendDlgItemMessageA(window, id, EM_LIMITTEXT, AreaFieldTextLimit, 0);
    const char* text =
        FormatMeasure(AreaFieldValue(field, area, limits.W, limits.H), unit, AreaFieldKind(field), shownAxes);
    SetDlgItemTextA(window, id, text ? text : "");
}

void ShowChangedArea(HWND window) { ShowArea(window, workingSettings.area, areaUnit, AreaFieldsChanged); }

}  // namespace

void ShapeAreaControl(HWND control) {
    const AxisInfo& x = openedTablet.axisX;
    const AxisInfo& y = openedTablet.axisY;
    SetAreaTablet(x, y);  // the control pictures the same tablet

    int vertSize = 0, horzSize = 0, aspectY = 0, aspectX = 0;
    HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (display) {
        vertSize = GetDeviceCaps(display, VERTSIZE);
        horzSize = GetDeviceCaps(display, HORZSIZE);
        aspectY = GetDeviceCaps(display, ASPECTY);
        aspectX = GetDeviceCaps(display, ASPECTX);
        DeleteDC(display);
    }

    areaLimits = AreaLimits{};
    areaLimits.W = TabletWidth(openedTablet);
    areaLimits.H = TabletHeight(openedTablet);
    DisplayShape shape = {};
    ComputeDisplayFigures(x, y, vertSize, horzSize, aspectY, aspectX, areaLimits, shape);

    if (!control) return;
    RECT rect;
    GetWindowRect(control, &rect);
    POINT topLeft = {rect.left, rect.top};
    ScreenToClient(GetParent(control), &topLeft);
    ControlBox box = {topLeft.x, topLeft.y, rect.right - rect.left, rect.bottom - rect.top};
    ControlBox shaped = ReshapeAreaControl(box, shape);
    MoveWindow(control, shaped.x, shaped.y, shaped.width, shaped.height, TRUE);
}

void ShowArea(HWND window, const AreaBox& area, int unit, AreaFieldsToWrite which) {
    AreaLimits limits = CurrentLimits();
    bool due[AreaFieldCount];
    for (int i = 0; i < AreaFieldCount; ++i) {
        AreaField field = static_cast<AreaField>(i);
        due[i] = which == AreaFieldsAll || AreaFieldValue(field, area, limits.W, limits.H) !=
                                               AreaFieldValue(field, shownArea, limits.W, limits.H);
    }
    shownArea = area;
    for (int i = 0; i < AreaFieldCount; ++i)
        if (due[i]) WriteAreaField(window, static_cast<AreaField>(i), area, unit, limits);
    SetAreaSpokenUnit(GetDlgItem(window, IDC_AREA_CONTROL), unit);  // the picture is read out in the same unit
}

void FillUnitList(HWND window) {
    AddStringRange(GetDlgItem(window, IDC_UNITS_LIST), ResourceInstance(), IDS_INCHES, IDS_CENTIMETERS);
}

void GiveAreaToControl(HWND window) {
    SendDlgItemMessageA(window, IDC_AREA_CONTROL, SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&workingSettings.area));
}

INT_PTR OnUnitSelected(HWND window) {
    LRESULT selection = SendDlgItemMessageA(window, IDC_UNITS_LIST, CB_GETCURSEL, 0, 0);
    if (selection != UnitInches && selection != UnitCentimetres) return TRUE;
    areaUnit = static_cast<int>(selection);
    ShowArea(window, workingSettings.area, areaUnit, AreaFieldsAll);
    return TRUE;
}

INT_PTR OnAreaFieldKillFocus(HWND window, WORD id) {
    AreaField field = FieldOfEdit(id);
    if (field == AreaFieldCount) return FALSE;
    char text[41] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    AreaLimits limits = CurrentLimits();
    const DWORD shown = AreaFieldValue(field, workingSettings.area, limits.W, limits.H);
    DWORD value = shown;
    ParseMeasure(text, value, areaUnit, AreaFieldKind(field), shownAxes);
    if (!AreaFieldValueAllowed(field, value, limits)) {
        MessageBeep(0);  // an area without extent maps nothing onto the screen
        value = shown;
    }
    WriteAreaField(window, field, workingSettings.area, areaUnit, limits);  // a rejected entry reappears
    SetAreaField(field, value, preserveAspect != 0, workingSettings.area, limits);
    ShowChangedArea(window);
    GiveAreaToControl(window);
    return TRUE;
}

INT_PTR OnAreaSpin(HWND window, WORD id, WORD code) {
    if (code != TWN_UP && code != TWN_DOWN) return FALSE;
    AreaField field = FieldOfEdit(id - 1);  // each spin control follows its edit
    if (field == AreaFieldCount) return FALSE;
    AreaLimits limits = CurrentLimits();
    uint32_t value = 0;
    uint32_t current = AreaFieldValue(field, workingSettings.area, limits.W, limits.H);
    if (!SpinAreaValue(current, areaStep, code == TWN_UP, value)) return TRUE;
    if (!AreaFieldValueAllowed(field, value, limits)) return TRUE;  // the least width or height
    SetAreaField(field, value, preserveAspect != 0, workingSettings.area, limits);
    ShowChangedArea(window);
    // Posted: the control reads the area as it stands when the message arrives.
    PostMessageA(GetDlgItem(window, IDC_AREA_CONTROL), SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&workingSettings.area));
    return TRUE;
}

INT_PTR OnWholeTablet(HWND window) {
    DWORD fresh = ToggleCheckBox(window, IDC_WHOLE_TABLET) ? 1 : 0;
    workingSettings.wholeTablet = fresh;
    if (fresh) {
        workingSettings = ProbeSettings(workingSettings);  // the area as the driver stores the whole tablet
        ShowChangedArea(window);
        GiveAreaToControl(window);
    } else if (preserveAspect) {
        FitAspect(workingSettings.area, CurrentLimits());
        ShowChangedArea(window);
        GiveAreaToControl(window);
    }
    EnableControls(window, IDC_PRESERVE_ASPECT, IDC_PRESERVE_ASPECT, fresh == 0);
    EnableControls(window, IDC_WIDTH_LABEL, IDC_AREA_CONTROL, fresh == 0);
    return TRUE;
}

INT_PTR OnPreserveAspect(HWND window) {
    int fresh = ToggleCheckBox(window, IDC_PRESERVE_ASPECT) ? 1 : 0;
    preserveAspect = fresh;
    if (fresh) {
        FitAspect(workingSettings.area, CurrentLimits());
        ShowChangedArea(window);
        GiveAreaToControl(window);
    }
    return TRUE;
}

INT_PTR OnAreaControlArea(HWND window, WORD code) {
    HWND control = GetDlgItem(window, IDC_AREA_CONTROL);
    AreaBox reported = {0, 0, 0, 0};
    SendMessageA(control, SAM_GETAREA, 0, reinterpret_cast<LPARAM>(&reported));
    bool preserve = code == SAN_AREACHANGED && preserveAspect != 0;
    AcceptControlArea(preserve, reported, workingSettings.area, CurrentLimits());
    ShowChangedArea(window);
    SendMessageA(control, SAM_SETAREA, 0, reinterpret_cast<LPARAM>(&workingSettings.area));
    return TRUE;
}
