// Tweak: a narrow spin control split into an upper and a lower half, placed
// beside a numeric edit (its buddy). It never changes a value itself: mouse
// presses on its halves (with auto-repeat) and the Up and Down keys typed into
// the buddy make it send TWN_UP / TWN_DOWN to its parent.
#include "controls/controls.h"
#include "win/accessible.h"
#include "win/glue.h"
#include "win/scoped_gdi.h"

namespace {

const char TweakClassName[] = "Tweak";

// Window extra bytes. Handles fit 32 bits on both architectures; the saved
// window procedure is a pointer and takes a pointer-wide slot, so the layout
// is 0 / 4 / 8 / 10 / 14 (16 bytes) on Win32 and widens only there on Win64.
constexpr int BuddySlot = 0;                                   // HWND, 32 bits
constexpr int BuddyProcSlot = 4;                               // WNDPROC, pointer
constexpr int PressedSlot = BuddyProcSlot + sizeof(LONG_PTR);  // WORD
constexpr int ArrowSlot = PressedSlot + 2;                     // HBITMAP, 32 bits
constexpr int RepeatSlot = ArrowSlot + 4;                      // WORD
constexpr int TweakWindowBytes = RepeatSlot + 2;
constexpr int TweakClassBytes = sizeof(LONG_PTR);  // TweakBuddyProc's address
#if !defined(_WIN64)
static_assert(PressedSlot == 8 && ArrowSlot == 10 && RepeatSlot == 14 && TweakWindowBytes == 16,
              "Win32 layout of the Tweak window bytes");
static_assert(TweakClassBytes == 4, "Win32 class bytes");
#endif

constexpr WORD UpperBit = 1;  // half 0
constexpr WORD LowerBit = 2;  // half 1
constexpr UINT_PTR RepeatTimer = 0;
constexpr UINT RepeatPeriod = 60;
constexpr WORD SilentTicks = 6;

constexpr int MaxTweaks = 10;
HWND liveTweaks[MaxTweaks];
WORD liveCount = 0;

LRESULT CALLBACK TweakBuddyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// --- slots -----------------------------------------------------------------

HWND BuddyOf(HWND tweak) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(GetWindowLongA(tweak, BuddySlot))); }
void SetBuddySlot(HWND tweak, HWND buddy) {
    SetWindowLongA(tweak, BuddySlot, static_cast<LONG>(reinterpret_cast<LONG_PTR>(buddy)));
}
WNDPROC BuddyProcOf(HWND tweak) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(tweak, BuddyProcSlot)); }
void SetBuddyProcSlot(HWND tweak, WNDPROC proc) {
    SetWindowLongPtrA(tweak, BuddyProcSlot, reinterpret_cast<LONG_PTR>(proc));
}
WORD PressedOf(HWND tweak) { return GetWindowWord(tweak, PressedSlot); }
HBITMAP ArrowOf(HWND tweak) {
    return reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(GetWindowLongA(tweak, ArrowSlot)));
}
void SetArrowSlot(HWND tweak, HBITMAP arrow) {
    SetWindowLongA(tweak, ArrowSlot, static_cast<LONG>(reinterpret_cast<LONG_PTR>(arrow)));
}
WORD RepeatOf(HWND tweak) { return GetWindowWord(tweak, RepeatSlot); }
void SetRepeat(HWND tweak, WORD count) { SetWindowWord(tweak, RepeatSlot, count); }

// --- table of live Tweaks --------------------------------------------------

bool AddToTable(HWND tweak) {
    if (liveCount >= MaxTweaks) return false;
    liveTweaks[liveCount++] = tweak;
    return true;
}

void RemoveFromTable(HWND tweak) {
    for (WORD i = 0; i < liveCount; ++i)
        if (liveTweaks[i] == tweak) {
            liveTweaks[i] = liveTweaks[liveCount - 1];
            liveTweaks[--liveCount] = nullptr;
            return;
        }
}

HWND TweakOfBuddy(HWND edit) {
    for (WORD i = 0; i < liveCount; ++i)
        if (BuddyOf(liveTweaks[i]) == edit) return liveTweaks[i];
    return nullptr;
}

// --- behaviour -------------------------------------------------------------

void Notify(HWND tweak, WORD code) {
    SendMessageA(GetParent(tweak), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tweak), code), reinterpret_cast<LPARAM>(tweak));
}

int MiddleLine(const RECT& client) { return (client.top + client.bottom) / 2; }

// Shows a half pressed or released by inverting its band on a window DC;
// does nothing when the half is already in the requested state.
void SetHalfPressed(HWND tweak, int half, bool pressed) {
    WORD bit = half == 0 ? UpperBit : LowerBit;
    WORD word = PressedOf(tweak);
    if (((word & bit) != 0) == pressed) return;
    SetWindowWord(tweak, PressedSlot, static_cast<WORD>(word ^ bit));

    RECT client;
    GetClientRect(tweak, &client);
    int mid = MiddleLine(client);
    int top = half == 0 ? client.top : mid;
    int bottom = half == 0 ? mid : client.bottom;
    HDC dc = GetDC(tweak);
    if (!dc) return;
    PatBlt(dc, client.left, top, client.right - client.left, bottom - top, DSTINVERT);
    ReleaseDC(tweak, dc);
}

bool IsEditWindow(HWND window) {
    char className[20] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "EDIT") == 0;
}

// TWM_SETBUDDY: attaches edit (or detaches when it is 0); answers the
// attached edit, 0 when detached or refused.
LRESULT OnSetBuddy(HWND tweak, HWND edit) {
    if (edit && (!IsWindow(edit) || !IsEditWindow(edit) || TweakOfBuddy(edit))) return 0;

    HWND old = BuddyOf(tweak);
    if (old) {
        WNDPROC own = BuddyProcOf(tweak);
        if (own && IsWindow(old)) SetWindowLongPtrA(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        SetBuddyProcSlot(tweak, nullptr);
        SetBuddySlot(tweak, nullptr);
    }
    if (!edit) return 0;

    if (GetClassLongPtrA(tweak, 0) == 0) SetClassLongPtrA(tweak, 0, reinterpret_cast<LONG_PTR>(TweakBuddyProc));
    // The saved procedure is in place before the subclass can see a message.
    SetBuddySlot(tweak, edit);
    SetBuddyProcSlot(tweak, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC)));
    SetWindowLongPtrA(edit, GWLP_WNDPROC, GetClassLongPtrA(tweak, 0));
    return reinterpret_cast<LRESULT>(edit);
}

void OnCreate(HWND tweak) {
    if (!AddToTable(tweak)) {
        DestroyWindow(tweak);  // the table is full
        return;
    }
    SetBuddySlot(tweak, nullptr);
    SetBuddyProcSlot(tweak, nullptr);
    SetWindowWord(tweak, PressedSlot, 0);
    SetArrowSlot(tweak, nullptr);
}

void DropArrowImage(HWND tweak) {
    HBITMAP arrow = ArrowOf(tweak);
    if (arrow) DeleteObject(arrow);
    SetArrowSlot(tweak, nullptr);
}

void OnDestroy(HWND tweak) {
    KillTimer(tweak, RepeatTimer);
    OnSetBuddy(tweak, nullptr);
    DropArrowImage(tweak);
    RemoveFromTable(tweak);
}

void OnMouseDown(HWND tweak, LPARAM lParam) {
    SetCapture(tweak);
    SetTimer(tweak, RepeatTimer, RepeatPeriod, nullptr);
    RECT client;
    GetClientRect(tweak, &client);
    int y = HIWORD(lParam);  // unsigned: a position above the window counts as low
    int half = y >= MiddleLine(client) ? 1 : 0;
    SetHalfPressed(tweak, half, true);
    Notify(tweak, half == 1 ? TWN_DOWN : TWN_UP);
    HWND buddy = BuddyOf(tweak);
    if (buddy) SetFocus(buddy);
}

void OnTimer(HWND tweak) {
    WORD pressed = PressedOf(tweak);
    if (pressed == 0) {
        KillTimer(tweak, RepeatTimer);
        SetRepeat(tweak, 0);
    } else if (RepeatOf(tweak) >= SilentTicks) {
        Notify(tweak, pressed == LowerBit ? TWN_DOWN : TWN_UP);
    } else {
        SetRepeat(tweak, static_cast<WORD>(RepeatOf(tweak) + 1));
    }
}

// The end of a mouse press: stops the repeat and shows both halves released.
void EndPress(HWND tweak) {
    KillTimer(tweak, RepeatTimer);
    SetRepeat(tweak, 0);
    SetHalfPressed(tweak, 0, false);
    SetHalfPressed(tweak, 1, false);
}

// Releases the mouse only while this Tweak holds it, never another window's.
void ReleaseOwnCapture(HWND tweak) {
    if (GetCapture() == tweak) ReleaseCapture();
}

void OnMouseUp(HWND tweak) {
    EndPress(tweak);
    ReleaseOwnCapture(tweak);
}

// A black triangle pointing up on white, w by h, its base on the bottom row.
HBITMAP BuildArrowImage(HDC reference, int w, int h) {
    OwnedGdiObject<HBITMAP> arrow(CreateBitmap(w, h, 1, 1, nullptr));
    if (!arrow) return nullptr;
    OwnedDC memory(CreateCompatibleDC(reference));
    if (!memory) return nullptr;
    SelectedObject selectedArrow(memory.get(), arrow.get());
    PatBlt(memory.get(), 0, 0, w, h, WHITENESS);
    SelectedObject selectedBrush(memory.get(), GetStockObject(BLACK_BRUSH));
    POINT triangle[3] = {{0, h}, {w, h}, {w / 2, 0}};
    Polygon(memory.get(), triangle, 3);
    return arrow.release();  // selected out of the memory context as the scope ends
}

void DrawDivider(HDC dc, const RECT& client, int mid) {
    OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, GetSystemMetrics(SM_CYBORDER), GetSysColor(COLOR_WINDOWFRAME)));
    if (!pen) return;
    SelectedObject selectedPen(dc, pen.get());
    MoveToEx(dc, client.left, mid, nullptr);
    LineTo(dc, client.right, mid);
}

void DrawArrows(HWND tweak, HDC dc, const RECT& client, int mid) {
    int cx = GetSystemMetrics(SM_CXBORDER), cy = GetSystemMetrics(SM_CYBORDER);
    int w = client.right - 4 * cx - client.left;
    int h = mid - 4 * cy;
    if (w <= 0 || h <= 0) return;  // too small to show an arrow

    HBITMAP arrow = ArrowOf(tweak);
    if (!arrow) {
        arrow = BuildArrowImage(dc, w, h);
        if (!arrow) return;
        SetArrowSlot(tweak, arrow);
    }
    OwnedDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectedObject selectedArrow(memory.get(), arrow);
    // Monochrome source: white becomes the background, black the text colour.
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    BitBlt(dc, client.left + 2 * cx, client.top + 2 * cy, w, h, memory.get(), 0, 0, SRCCOPY);
    // A negative height mirrors the image: the same triangle pointing down.
    StretchBlt(dc, client.left + 2 * cx, client.bottom - 2 * cy, w, -h, memory.get(), 0, 0, w, h, SRCCOPY);
}

void OnPaint(HWND tweak) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(tweak, &paint);
    if (!dc) return;
    RECT client;
    GetClientRect(tweak, &client);
    int mid = MiddleLine(client);
    DrawDivider(dc, client, mid);
    DrawArrows(tweak, dc, client, mid);
    EndPaint(tweak, &paint);
}

void PressFromKey(HWND tweak, WPARAM key, bool down) {
    int half = key == VK_UP ? 0 : 1;
    SetHalfPressed(tweak, half, down);
    if (down) Notify(tweak, key == VK_UP ? TWN_UP : TWN_DOWN);
}

// --- what a screen reader hears ------------------------------------------

// A spin button named after its field's label (the static just before the
// buddy in the template: "&Width:" is "Width"), whose value is the field's
// text, with the two halves as children, as the system's up-down control has.
void TweakName(HWND tweak, char* text, int size) {
    HWND buddy = BuddyOf(tweak);
    HWND label = buddy ? GetWindow(buddy, GW_HWNDPREV) : nullptr;
    char className[20] = "", labelText[80] = "";
    if (label) GetClassNameA(label, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) GetWindowTextA(label, labelText, sizeof labelText);
    SpokenLabel(labelText, text, size);
}

void TweakValue(HWND tweak, char* text, int size) {
    HWND buddy = BuddyOf(tweak);
    if (buddy) GetWindowTextA(buddy, text, size);
}

constexpr LONG MoreChild = 1;  // the upper half
const char* const HalfNames[] = {"More", "Less"};

RECT HalfRect(HWND tweak, LONG child) {
    RECT half;
    GetClientRect(tweak, &half);
    int mid = MiddleLine(half);
    if (child == MoreChild)
        half.bottom = mid;
    else
        half.top = mid;
    return half;
}

// Pressing a half from a screen reader steps once, as a short click does.
void PressHalf(HWND tweak, LONG child) {
    int half = child == MoreChild ? 0 : 1;
    SetHalfPressed(tweak, half, true);
    Notify(tweak, half == 0 ? TWN_UP : TWN_DOWN);
    SetHalfPressed(tweak, half, false);
}

constexpr AccessibleTraits TweakAccess = AccessibleTraits{}
                                             .Role(ROLE_SYSTEM_SPINBUTTON)
                                             .Name(TweakName)
                                             .Value(TweakValue)
                                             .Children(HalfNames, ROLE_SYSTEM_PUSHBUTTON)
                                             .ChildAction("Press", PressHalf)
                                             .ChildRect(HalfRect);

// The messages that can change an edit's text.
bool MayChangeText(UINT message, WPARAM wParam) {
    return message == WM_SETTEXT || message == WM_CHAR || message == WM_PASTE || message == WM_CUT ||
           message == WM_CLEAR || message == WM_UNDO || message == EM_REPLACESEL ||
           (message == WM_KEYDOWN && wParam == VK_DELETE);
}

// Passes a message to the edit and tells screen readers when the field's
// text, the spin's value, changed with it.
LRESULT PassWatchingValue(WNDPROC own, HWND tweak, HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    char before[80] = "", after[80] = "";
    GetWindowTextA(edit, before, sizeof before);
    LRESULT result = CallWindowProcA(own, edit, message, wParam, lParam);
    GetWindowTextA(edit, after, sizeof after);
    if (lstrcmpA(before, after) != 0) NotifyAccessibleEvent(tweak, EVENT_OBJECT_VALUECHANGE);
    return result;
}

// Installed into every buddy edit: Up and Down step through the Tweak and
// never reach the edit; the edit's destruction detaches it.
LRESULT CALLBACK TweakBuddyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND tweak = TweakOfBuddy(edit);
    WNDPROC own = tweak ? BuddyProcOf(tweak) : nullptr;
    if (!own) return DefWindowProcA(edit, message, wParam, lParam);

    switch (message) {
    case WM_DESTROY:
        SendMessageA(tweak, TWM_SETBUDDY, 0, 0);
        return CallWindowProcA(own, edit, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            PressFromKey(tweak, wParam, message == WM_KEYDOWN);
            return 0;
        }
        break;
    default: break;
    }
    if (MayChangeText(message, wParam)) return PassWatchingValue(own, tweak, edit, message, wParam, lParam);
    return CallWindowProcA(own, edit, message, wParam, lParam);
}

}  // namespace

int RegisterTweakClass(HINSTANCE instance) {
    WNDCLASSA tweakClass = {};
    tweakClass.style = CS_VREDRAW | CS_HREDRAW;
    tweakClass.lpfnWndProc = TweakWndProc;
    tweakClass.cbClsExtra = TweakClassBytes;
    tweakClass.cbWndExtra = TweakWindowBytes;
    tweakClass.hInstance = instance;
    tweakClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    tweakClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    tweakClass.lpszClassName = TweakClassName;
    return RegisterWindowClassOnce(tweakClass) ? 1 : 0;
}

LRESULT CALLBACK TweakWndProc(HWND tweak, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(tweak); return 0;
    case WM_DESTROY: OnDestroy(tweak); return 0;
    case WM_SIZE: DropArrowImage(tweak); return 0;
    case WM_PAINT: OnPaint(tweak); return 0;
    case WM_SETFOCUS:
        // A Tweak never keeps the keyboard focus.
        SetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_LBUTTONDOWN: OnMouseDown(tweak, lParam); return 0;
    case WM_TIMER: OnTimer(tweak); return 0;
    case WM_LBUTTONUP: OnMouseUp(tweak); return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, a menu): the press
        // ends as a release would end it.
        EndPress(tweak);
        return 0;
    case WM_CANCELMODE: OnMouseUp(tweak); return 0;
    case WM_GETOBJECT: return ServeAccessibleObject(tweak, wParam, lParam, TweakAccess);
    case WM_ENABLE: NotifyAccessibleEvent(tweak, EVENT_OBJECT_STATECHANGE); return 0;
    case TWM_GETBUDDY: return reinterpret_cast<LRESULT>(BuddyOf(tweak));
    case TWM_SETBUDDY: return OnSetBuddy(tweak, reinterpret_cast<HWND>(wParam));
    default: return DefWindowProcA(tweak, message, wParam, lParam);
    }
}
