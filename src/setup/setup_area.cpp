// The "Tracking Area" group of the Tablet Setup dialog: the six area fields
// with their spin controls, the unit list, Whole Tablet, Preserve Aspect
// Ratio and the area control. The arithmetic is in area_math.
#include "controls/controls.h"
#include "defs/features.h"
#include "dialogs/dialogs.h"
#include "driver/driver.h"
#include "setup/setup.h"
#include "setup/setup_private.h"
#include "win/glue.h"

DWORD areaStep = 1;
AreaBox shownArea;
AreaLimits areaLimits;

namespace {

const int areaFields[6] = {IDC_WIDTH_EDIT, IDC_HEIGHT_EDIT, IDC_LEFT_EDIT,
                           IDC_TOP_EDIT, IDC_RIGHT_EDIT, IDC_BOTTOM_EDIT};

// The figures worked out at opening with the tablet's extents read afresh.
AreaLimits CurrentLimits() {
    AreaLimits limits = areaLimits;
    limits.W = TabletWidth();
    limits.H = TabletHeight();
    if (limits.W == 0 || limits.H == 0) limits.aspectUsable = false;
    return limits;
}

void WriteAreaField(HWND window, int id, const AreaBox& area, int unit, const AreaLimits& limits) {
    SendDlgItemMessageA(window, id, EM_LIMITTEXT, 7, 0);
    const char* text = FormatMeasure(AreaFieldValue(id, area, limits.W, limits.H), unit, AreaFieldKind(id));
    SetDlgItemTextA(window, id, text ? text : "");
}

void ShowChangedArea(HWND window) { ShowArea(window, workingSettings.area, areaUnit, 0); }

}  // namespace

void ShapeAreaControl(HWND control) {
    AxisInfo x, y;
    ReadAxis(DeviceAxisX, x);
    ReadAxis(DeviceAxisY, y);

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
    areaLimits.W = TabletWidth();
    areaLimits.H = TabletHeight();
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

void ShowArea(HWND window, const AreaBox& area, int unit, int all) {
    AreaLimits limits = CurrentLimits();
    bool due[6];
    for (int i = 0; i < 6; ++i)
        due[i] = all || AreaFieldValue(areaFields[i], area, limits.W, limits.H) !=
                            AreaFieldValue(areaFields[i], shownArea, limits.W, limits.H);
    shownArea = area;
    for (int i = 0; i < 6; ++i)
        if (due[i]) WriteAreaField(window, areaFields[i], area, unit, limits);
}

void FillUnitList(HWND window) {
    AddStringRange(GetDlgItem(window, IDC_UNITS_LIST), GetModuleHandleA(nullptr), IDS_INCHES, IDS_CENTIMETERS);
}

void GiveAreaToControl(HWND window) {
    SendDlgItemMessageA(window, IDC_AREA_CONTROL, SAM_SETAREA, 0,
                        reinterpret_cast<LPARAM>(&workingSettings.area));
}

INT_PTR OnUnitSelected(HWND window) {
    LRESULT selection = SendDlgItemMessageA(window, IDC_UNITS_LIST, CB_GETCURSEL, 0, 0);
    if (selection != UnitInches && selection != UnitCentimetres) return TRUE;
    areaUnit = static_cast<int>(selection);
    ShowArea(window, workingSettings.area, areaUnit, 1);
    return TRUE;
}

INT_PTR OnAreaFieldKillFocus(HWND window, WORD id) {
    char text[41] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    AreaLimits limits = CurrentLimits();
    DWORD value = AreaFieldValue(id, workingSettings.area, limits.W, limits.H);
    ParseMeasure(text, value, areaUnit, AreaFieldKind(id));
    WriteAreaField(window, id, workingSettings.area, areaUnit, limits);  // a rejected entry reappears
    SetAreaField(id, value, preserveAspect != 0, workingSettings.area, limits);
    ShowChangedArea(window);
    GiveAreaToControl(window);
    return TRUE;
}

INT_PTR OnAreaSpin(HWND window, WORD id, WORD code) {
    if (code != TWN_UP && code != TWN_DOWN) return FALSE;
    int field = id - 1;
    AreaLimits limits = CurrentLimits();
    uint32_t value = 0;
    uint32_t current = AreaFieldValue(field, workingSettings.area, limits.W, limits.H);
    if (!SpinAreaValue(current, areaStep, code == TWN_UP, value)) return TRUE;
    SetAreaField(field, value, preserveAspect != 0, workingSettings.area, limits);
    ShowChangedArea(window);
    // Posted: the control reads the area as it stands when the message arrives.
    PostMessageA(GetDlgItem(window, IDC_AREA_CONTROL), SAM_SETAREA, 0,
                 reinterpret_cast<LPARAM>(&workingSettings.area));
    return TRUE;
}

INT_PTR OnWholeTablet(HWND window) {
    DWORD fresh = ToggleCheckBox(window, IDC_WHOLE_TABLET) ? 1 : 0;
    workingSettings.wholeTablet = fresh;
    if (fresh) {
        ProbeSettings();  // the area comes back as the driver stores the whole tablet
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
