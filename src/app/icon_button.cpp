// Icon buttons: an icon with a label under it. A click focuses, a double
// click or Enter activates, the arrow keys move to a neighbour, and the label
// is highlighted while the button is the main window's current one.
#include "app/app.h"
#include "defs/features.h"
#include "win/accessible.h"
#include "win/glue.h"
#include "win/scoped_gdi.h"

const char IconWindowClass[] = "Icon Window Class";

namespace {

// Five slots: left, up, right, down neighbours and the icon. Handles fit 32
// bits on both architectures; the slots are pointer-wide under Win64.
constexpr int SlotSize = sizeof(LONG_PTR);
constexpr int IconSlotCount = IconSlotIcon + 1;
constexpr int IconButtonExtra = IconSlotCount * SlotSize;

// The arrow keys name the neighbour slots in the same order.
static_assert(VK_UP - VK_LEFT == IconSlotUp && VK_RIGHT - VK_LEFT == IconSlotRight && VK_DOWN - VK_LEFT == IconSlotDown,
              "arrow keys in slot order");

// A button's cell in the main window, in icon sizes.
constexpr int CellWidthInIcons = 3;
constexpr int CellHeightInIcons = 2;

// The label: loaded from the string table when the button is made, read back
// from the window text when it is drawn, in a font 8 pixels high at 96 DPI
// on a background one pixel larger than the text.
constexpr int LoadedLabelSize = 40;
constexpr int DrawnLabelSize = 80;
constexpr int LabelFontHeight = 8;
const char LabelFontFace[] = "Helv";
constexpr int LabelMargin = 1;

void SetSlot(HWND button, IconSlot slot, LONG_PTR value) { SetWindowLongPtrA(button, slot * SlotSize, value); }

void Notify(HWND button, WORD code) {
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), code),
                 reinterpret_cast<LPARAM>(button));
}

// Brush and font are created for one paint and released before it ends.
void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    RECT box = {x, y, x + width, y + height};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void DrawLabel(HWND button, HDC dc, int width, int height, int iconHeight) {
    OwnedGdiObject<HFONT> font(CreateIconLabelFont());
    if (!font) return;
    SetBkMode(dc, TRANSPARENT);
    HWND current = reinterpret_cast<HWND>(SendMessageA(GetParent(button), WM_COMMAND,
                                                       MAKEWPARAM(GetDlgCtrlID(button), IconQueryCurrent),
                                                       reinterpret_cast<LPARAM>(button)));
    bool highlighted = current == button;
    COLORREF text = GetSysColor(highlighted ? COLOR_CAPTIONTEXT : COLOR_WINDOWTEXT);
    COLORREF back = GetSysColor(highlighted ? COLOR_ACTIVECAPTION : COLOR_APPWORKSPACE);
    SetTextColor(dc, text);
    SetBkColor(dc, back);

    char label[DrawnLabelSize] = "";
    int length = GetWindowTextA(button, label, sizeof label);
    SelectedObject selectedFont(dc, font.get());
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, label, length, &extent);
    int x = (width - extent.cx) / 2;
    int y = (height + iconHeight) / 2;
    int margin = ScaledPixels(LabelMargin);
    FillSolid(dc, x, y, extent.cx + margin, extent.cy + margin, back);
    TextOutA(dc, x, y, label, length);
}

void OnPaint(HWND button) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT client;
    GetClientRect(button, &client);
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    int x = (client.right - cx) / 2, y = (client.bottom - cy) / 2;
    FillSolid(dc, x, y, cx, cy, GetSysColor(COLOR_APPWORKSPACE));
    DrawIcon(dc, x, y, reinterpret_cast<HICON>(IconButtonSlot(button, IconSlotIcon)));
    DrawLabel(button, dc, client.right, client.bottom, cy);
    EndPaint(button, &paint);
}

void OnKeyDown(HWND button, WPARAM key) {
    switch (key) {
    case VK_RETURN:
        Notify(button, IconActivate);  // the dialog runs to its end inside this call
        SetFocus(button);
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        HWND neighbour = reinterpret_cast<HWND>(IconButtonSlot(button, static_cast<IconSlot>(key - VK_LEFT)));
        if (neighbour) SetFocus(neighbour);
        break;
    }
    default: break;  // every other key is swallowed
    }
}

// For screen readers: a push button named by its label, whose default action
// is Enter's. It is posted, so that the dialog does not run inside the
// reader's call, and not while a dialog of the program is open.
void IconButtonName(HWND button, char* text, int size) { GetWindowTextA(button, text, size); }

void PressLikeEnter(HWND button) {
    if (IsWindowEnabled(GetParent(button))) PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
}

constexpr AccessibleTraits IconButtonAccess =
    AccessibleTraits{}.Role(ROLE_SYSTEM_PUSHBUTTON).Focusable().Name(IconButtonName).DefaultAction("Press", PressLikeEnter);

HWND CreateOneButton(HWND parent, IconButtonRow& row, DWORD column, DWORD gridRow) {
    char label[LoadedLabelSize] = "";
    LoadStringA(ResourceInstance(), row.labelId, label, sizeof label);
    int cellWidth = CellWidthInIcons * GetSystemMetrics(SM_CXICON);
    int cellHeight = CellHeightInIcons * GetSystemMetrics(SM_CYICON);
    row.window =
        CreateWindowExA(0, IconWindowClass, label, WS_CHILD | WS_CLIPSIBLINGS, column * cellWidth, gridRow * cellHeight,
                        cellWidth, cellHeight, parent, nullptr, ResourceInstance(), nullptr);
    HICON icon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(row.iconId));
    if (!row.window || !icon) {
        ShowErrorBox(parent, IDS_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    SetSlot(row.window, IconSlotIcon, reinterpret_cast<LONG_PTR>(icon));
    SetWindowLongPtrA(row.window, GWLP_ID, row.controlId);
    return row.window;
}

}  // namespace

// 8 pixels high at 96 DPI, and as much larger as the display's scale.
HFONT CreateIconLabelFont() {
    return CreateFontA(ScaledPixels(LabelFontHeight), 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, LabelFontFace);
}

LONG_PTR IconButtonSlot(HWND button, IconSlot slot) { return GetWindowLongPtrA(button, slot * SlotSize); }

bool RegisterIconButtonClass(HINSTANCE instance) {
    WNDCLASSA buttonClass = {};
    buttonClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    buttonClass.lpfnWndProc = IconWndProc;
    buttonClass.cbWndExtra = IconButtonExtra;
    buttonClass.hInstance = instance;
    buttonClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    buttonClass.lpszClassName = IconWindowClass;
    return RegisterWindowClassOnce(buttonClass);
}

HWND CreateIconButtons(HWND parent, IconGrid& grid) {
    HWND first = nullptr;
    IconButtonRow* rows = grid.firstRow;
    for (DWORD r = 0; r < grid.rows; ++r)
        for (DWORD c = 0; c < grid.columns; ++c) {
            HWND button = CreateOneButton(parent, rows[r * grid.columns + c], c, r);
            if (!button) return nullptr;
            if (!first) first = button;
        }
    for (DWORD r = 0; r < grid.rows; ++r)
        for (DWORD c = 0; c < grid.columns; ++c) {
            HWND cell = rows[r * grid.columns + c].window;
            auto at = [&](DWORD rr, DWORD cc) {
                return reinterpret_cast<LONG_PTR>(rows[rr * grid.columns + cc].window);
            };
            if (c > 0) SetSlot(cell, IconSlotLeft, at(r, c - 1));
            if (r > 0) SetSlot(cell, IconSlotUp, at(r - 1, c));
            if (c < grid.columns - 1) SetSlot(cell, IconSlotRight, at(r, c + 1));
            if (r < grid.rows - 1) SetSlot(cell, IconSlotDown, at(r + 1, c));
            ShowWindow(cell, (r == 0 && c == 0) ? SW_SHOWNORMAL : SW_SHOWNA);
        }
    return first;
}

LRESULT CALLBACK IconWndProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        InvalidateRect(button, nullptr, TRUE);
        Notify(button, IconFocused);
        return 0;
    case WM_KILLFOCUS: InvalidateRect(button, nullptr, TRUE); return 0;
    case WM_KEYDOWN: OnKeyDown(button, wParam); return 0;
    case WM_LBUTTONDOWN: SetFocus(button); return 0;
    case WM_LBUTTONDBLCLK:
        SetFocus(button);
        Notify(button, IconActivate);
        return 0;
    case WM_PAINT: OnPaint(button); return 0;
    case WM_GETOBJECT: return ServeAccessibleObject(button, wParam, lParam, IconButtonAccess);
    case WM_ENABLE: NotifyAccessibleEvent(button, EVENT_OBJECT_STATECHANGE); return 0;
    default: return DefWindowProcA(button, message, wParam, lParam);
    }
}
