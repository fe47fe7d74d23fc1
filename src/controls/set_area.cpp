// SetArea: a child control that pictures the tablet (its whole client area)
// and the tracking area on it (a filled rectangle). The parent sets and reads
// the area in tablet counts; while focused the control also takes a new area
// from the tablet itself (area_capture.cpp).
#include "controls/area_capture.h"
#include "controls/controls.h"
#include "core/muldiv.h"
#include "win/accessible.h"
#include "win/glue.h"
#include "win/scoped_gdi.h"

namespace {

const char SetAreaClassName[] = "SetArea";

// The tablet the controls picture, as their dialog read it.
AxisInfo tabletX = {}, tabletY = {};

void OnCreate(HWND control) {
    WriteArea(control, AreaRectSlot, AreaBounds{0, 0, 0, 0});
    StoreAreaState(control, 0);
}

void OnGetArea(HWND control, LPARAM lParam) {
    LONG* out = reinterpret_cast<LONG*>(lParam);
    if (!out) return;
    AreaBounds area = ReadArea(control, AreaRectSlot);
    out[0] = area.left;
    out[1] = area.top;
    out[2] = area.right;
    out[3] = area.bottom;
}

void OnSetArea(HWND control, LPARAM lParam) {
    const LONG* in = reinterpret_cast<const LONG*>(lParam);
    if (!in) return;
    AreaBounds area = {in[0], in[1], in[2], in[3]};
    StoreShownArea(control, area);
    if (area.right != area.left && area.bottom != area.top)
        SetAreaFlags(control, AreaShown);
    else
        ClearAreaFlags(control, AreaShown);
    InvalidateRect(control, nullptr, TRUE);
}

// Fills the scaled area. An area whose corners are inverted (right < left or
// bottom < top) is drawn as the rectangle between its two scaled corners; the
// stored corners are never reordered.
void FillArea(HWND control, HDC dc, const AreaBounds& area, bool focused) {
    POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
    TabletToClient(control, corners, 2);
    LONG left = corners[0].x < corners[1].x ? corners[0].x : corners[1].x;
    LONG right = corners[0].x < corners[1].x ? corners[1].x : corners[0].x;
    LONG top = corners[0].y < corners[1].y ? corners[0].y : corners[1].y;
    LONG bottom = corners[0].y < corners[1].y ? corners[1].y : corners[0].y;

    OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(focused ? COLOR_BTNFACE : COLOR_BTNSHADOW)));
    if (!brush) return;
    SelectedObject selectedBrush(dc, brush.get());
    // Positions and sizes are 16-bit quantities on the display.
    PatBlt(dc, static_cast<WORD>(left), static_cast<WORD>(top),
           static_cast<WORD>(static_cast<ULONG>(right) - static_cast<ULONG>(left)),
           static_cast<WORD>(static_cast<ULONG>(bottom) - static_cast<ULONG>(top)), PATCOPY);
}

void OnPaint(HWND control) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    if (!dc) return;
    WORD state = AreaState(control);
    bool focused = (state & AreaFocused) != 0;
    if (state & AreaShown) {
        FillArea(control, dc, ReadArea(control, AreaRectSlot), focused);
    } else if (focused) {
        RECT client;
        GetClientRect(control, &client);
        DrawFocusRect(dc, &client);
    }
    EndPaint(control, &paint);
}

}  // namespace

AreaBounds ReadArea(HWND control, int slot) {
    return AreaBounds{GetWindowLongA(control, slot), GetWindowLongA(control, slot + 4),
                      GetWindowLongA(control, slot + 8), GetWindowLongA(control, slot + 12)};
}

void WriteArea(HWND control, int slot, const AreaBounds& area) {
    SetWindowLongA(control, slot, area.left);
    SetWindowLongA(control, slot + 4, area.top);
    SetWindowLongA(control, slot + 8, area.right);
    SetWindowLongA(control, slot + 12, area.bottom);
}

void StoreShownArea(HWND control, const AreaBounds& area) {
    AreaBounds was = ReadArea(control, AreaRectSlot);
    WriteArea(control, AreaRectSlot, area);
    if (was.left != area.left || was.top != area.top || was.right != area.right || was.bottom != area.bottom)
        NotifyAccessibleEvent(control, EVENT_OBJECT_VALUECHANGE);
}

WORD AreaState(HWND control) { return GetWindowWord(control, AreaStateSlot); }
// Writing window bytes is a round trip to the window manager on some
// systems; a store that changes nothing is skipped (packets come fast).
void StoreAreaState(HWND control, WORD state) {
    if (AreaState(control) != state) SetWindowWord(control, AreaStateSlot, state);
}
void SetAreaFlags(HWND control, WORD flags) { StoreAreaState(control, AreaState(control) | flags); }
void ClearAreaFlags(HWND control, WORD flags) {
    StoreAreaState(control, static_cast<WORD>(AreaState(control) & ~flags));
}
bool HasAreaFlags(HWND control, WORD flags) { return (AreaState(control) & flags) == flags; }

void NotifyAreaParent(HWND control, WORD code) {
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
    SpeakAreaNotification(control, code);
}

void RefreshArea(HWND control) {
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}

void TabletToClient(HWND control, POINT* points, int count) {
    WORD bx = static_cast<WORD>(GetSystemMetrics(SM_CXBORDER));
    WORD by = static_cast<WORD>(GetSystemMetrics(SM_CYBORDER));
    RECT client;
    GetClientRect(control, &client);
    LONG width = client.right - 2 * bx - client.left;
    LONG height = client.bottom - 2 * by - client.top;
    // Unsigned throughout: a hostile axis cannot overflow a signed value.
    uint32_t xrange = AxisExtent(tabletX);
    uint32_t yrange = AxisExtent(tabletY);
    for (int i = 0; i < count; ++i) {
        uint32_t sx = bx + MulDivHalved(static_cast<uint32_t>(points[i].x), static_cast<uint32_t>(width), xrange);
        uint32_t sy = by + MulDivHalved(static_cast<uint32_t>(points[i].y), static_cast<uint32_t>(height), yrange);
        points[i].x = static_cast<LONG>(sx);
        points[i].y = static_cast<LONG>(sy);
    }
}

void SetAreaTablet(const AxisInfo& x, const AxisInfo& y) {
    tabletX = x;
    tabletY = y;
}

void AreaTablet(AxisInfo& x, AxisInfo& y) {
    x = tabletX;
    y = tabletY;
}

int RegisterSetAreaClass(HINSTANCE instance) {
    WNDCLASSA areaClass = {};
    areaClass.style = CS_VREDRAW | CS_HREDRAW;
    areaClass.lpfnWndProc = SetAreaWndProc;
    areaClass.cbWndExtra = SetAreaWindowBytes;
    areaClass.hInstance = instance;
    areaClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    areaClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNTEXT + 1));
    areaClass.lpszClassName = SetAreaClassName;
    return RegisterWindowClassOnce(areaClass) ? 1 : 0;
}

LRESULT CALLBACK SetAreaWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(control); return 0;
    case WM_DESTROY:
        OnAreaDestroy(control);
        ForgetAreaSpeech(control);
        return 0;
    case WM_PAINT: OnPaint(control); return 0;
    case SAM_GETAREA: OnGetArea(control, lParam); return 0;
    case SAM_SETAREA: OnSetArea(control, lParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: OnAreaFocusChange(control, message == WM_SETFOCUS); return 0;
    case WM_LBUTTONDOWN: OnAreaMouseDown(control); return 0;
    case WM_KEYDOWN: OnAreaKeyDown(control); return 0;
    case WM_TIMER: OnAreaTimer(control); return 0;
    case PacketMessage: OnAreaPacket(control, wParam); return 0;
    case EchoPlaceMessage: OnAreaEchoPlace(control); return 0;
    case InfoChangedMessage: OnAreaInfoChanged(lParam); return 0;
    case WM_GETOBJECT: return ServeAreaAccessible(control, wParam, lParam);
    case WM_ENABLE: NotifyAccessibleEvent(control, EVENT_OBJECT_STATECHANGE); return 0;
    default: return DefWindowProcA(control, message, wParam, lParam);
    }
}
