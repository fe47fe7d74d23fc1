// Tablet corner capture of a focused SetArea control: a tablet context of its
// own, a crosshair caret that follows the tablet cursor (the echo), and a new
// tracking area taken from two presses of a selecting button, lower-left
// corner first. Only one control has the focus at a time, so the capture
// state is module-wide.
#include "controls/area_capture.h"
#include "controls/controls.h"
#include "controls/inactivity.h"
#include "core/settings.h"
#include "driver/driver.h"
#include "exchange/snapshot.h"
#include "win/scoped_gdi.h"

namespace {

constexpr UINT_PTR InactivityTimer = 0;
constexpr UINT InactivityPeriod = 5000;
constexpr UINT SteadyBlinkTime = 65000;  // long enough that the echo never blinks
constexpr DWORD MaskTableSize = 32;
constexpr DWORD DefaultMask = 1;  // button 0 only
constexpr BYTE LeftClickAction = 1;
// A button-map entry holds an action code in its low four bits, or in its
// high four bits in the form written for the pen option.
constexpr int PenFormShift = 4;
constexpr int MapEntryCount = sizeof(ButtonMap::entry);

// What the capture context changes in the default context it is opened from
// (besides the device, the packet fields and the input and output ranges).
constexpr uint32_t CaptureOptions = 4;
constexpr uint32_t AllLocks = 0xFFFFFFFFu;
constexpr uint32_t AbsolutePackets = 0;

ContextHandle CaptureContext = 0;
BOOL echoOn = FALSE;
// The display count moves by one per call; the bound only keeps a system
// that never reports the count wanted from holding the program forever.
constexpr int ShowCursorTries = 100000;
// Where the echo caret was last placed, so that a packet that does not move
// it costs no caret calls; the caret is shown once after it is made.
POINT caretPlace = {0, 0};
bool caretShown = false;
// Where the newest packet puts the caret, until it is placed there. Moving
// the caret redraws the crosshair, so a burst of packets moves it once: the
// first packet that moves it posts the control EchoPlaceMessage, which
// arrives behind every packet already waiting and places the caret where
// the newest one put it.
POINT caretTarget = {0, 0};
bool caretMovePending = false;
bool placeMessagePosted = false;
int caretWidth = 0;
int caretHeight = 0;
HBITMAP caretImage = nullptr;
// The whole value, so that "never blink" (INFINITE) comes back as it was.
UINT savedBlinkTime = 0;
// Timer 0 is not restarted for every packet: the tick count of the last
// packet is kept, and the timer, once it fires, waits out the rest.
DWORD lastPacketTick = 0;
HWND inactivityTimerOwner = nullptr;  // the control whose timer 0 runs
// What the capture's set-up read: the default context, the axes and the
// cursor types with their maps; a change of a map reads the cursor types
// and maps again.
TabletSnapshot captureTablet;
constexpr unsigned MaskParts = SnapCursors | SnapEveryMap;
DWORD firstCursor = 0;
DWORD cursorCount = 0;
DWORD ButtonMaskTable[MaskTableSize];

// --- button masks ----------------------------------------------------------

DWORD SelectingButtons(const ButtonMap& map) {
    DWORD mask = 0;
    for (int n = 0; n < MapEntryCount; ++n) {
        BYTE entry = map.entry[n];
        if ((entry & ActionCodeMask) == LeftClickAction || (entry >> PenFormShift) == LeftClickAction) mask |= 1u << n;
    }
    return mask;
}

// The masks from the snapshot's maps; a cursor type whose map did not
// answer whole selects with button 0 only, and those past the table are not
// kept.
void LoadButtonMasks(const TabletSnapshot& tablet) {
    firstCursor = tablet.firstCursor;
    cursorCount = tablet.cursorsWhole ? tablet.cursorCount : 0;
    for (DWORD i = 0; i < tablet.detailed && i < MaskTableSize; ++i)
        ButtonMaskTable[i] = tablet.details[i].mapWhole ? SelectingButtons(tablet.details[i].map) : DefaultMask;
    for (DWORD i = tablet.detailed; i < MaskTableSize; ++i) ButtonMaskTable[i] = DefaultMask;
}

void ReloadButtonMasks() {
    TakeSnapshot(captureTablet, MaskParts, MaskTableSize);
    LoadButtonMasks(captureTablet);
}

// A cursor without an entry of its own (outside the table or past the
// device's cursor count) selects with button 0 only.
DWORD MaskForCursor(DWORD cursor) {
    DWORD index = cursor - firstCursor;
    DWORD kept = cursorCount < MaskTableSize ? cursorCount : MaskTableSize;
    return index < kept ? ButtonMaskTable[index] : DefaultMask;
}

// --- capture context -------------------------------------------------------

// The capture's set-up: one snapshot for the context, the whole tablet and
// the button masks.
void ReadCaptureTablet() { TakeSnapshot(captureTablet, SnapDefaultContext | SnapAxes | MaskParts, MaskTableSize); }

void OpenCaptureContext(HWND control) {
    if (CaptureContext) return;
    // Without the default context and the axes read whole there is nothing
    // sound to open from: no context, so no packets; the prompts still appear.
    if (captureTablet.defaultContextWhole && captureTablet.axesWhole) {
        ContextRecord record = captureTablet.defaultContext;
        const AxisInfo& x = captureTablet.axisX;
        const AxisInfo& y = captureTablet.axisY;
        record.options = CaptureOptions;
        record.locks = AllLocks;
        record.device = captureTablet.device;
        record.packetFields = PacketFieldCursor | PacketFieldButtons | PacketFieldX | PacketFieldY;
        record.packetMode = AbsolutePackets;
        record.inOriginX = x.minimum;
        record.inOriginY = y.minimum;
        record.inExtentX = x.maximum;
        record.inExtentY = y.maximum;
        record.outOriginX = x.minimum;
        record.outOriginY = y.minimum;
        record.outExtentX = x.maximum;
        // Negative: packet y grows downward from the tablet's top edge.
        record.outExtentY = static_cast<int32_t>(0u - static_cast<uint32_t>(y.maximum));
        CaptureContext = VXOpenA(control, &record, TRUE);
    }
    LoadButtonMasks(captureTablet);
}

void CloseCaptureContext() {
    if (CaptureContext) VXClose(CaptureContext);
    CaptureContext = 0;
}

// --- cursor echo -----------------------------------------------------------

// Puts the caret where the newest packet left its target.
void PlaceEchoCaret(HWND control) {
    if (!caretMovePending) return;
    caretMovePending = false;
    SetCaretPos(caretTarget.x, caretTarget.y);
    caretPlace = caretTarget;
    if (!caretShown) caretShown = ShowCaret(control) != FALSE;
}

// After each packet message: a caret move waits for EchoPlaceMessage, posted
// once until it arrives. Looking into the queue for a newer packet would cost
// a round trip to the window system for every packet; one posted message per
// burst costs the same once. If it cannot be posted, the caret moves now.
void SettleEchoCaret(HWND control) {
    if (!caretMovePending || placeMessagePosted) return;
    placeMessagePosted = PostMessageA(control, EchoPlaceMessage, 0, 0) != FALSE;
    if (!placeMessagePosted) PlaceEchoCaret(control);
}

// A memory context compatible with the display; the display's own context is
// needed only to make it.
HDC CreateDisplayMemoryDC() {
    OwnedDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    return display ? CreateCompatibleDC(display.get()) : nullptr;
}

// A white crosshair on black: as a caret it inverts the screen under the
// cross and leaves the rest alone. The bitmap is answered even when it could
// not be drawn.
HBITMAP BuildCrosshair(int width, int height) {
    HBITMAP image = CreateBitmap(width, height, 1, 1, nullptr);
    OwnedDC memory(CreateDisplayMemoryDC());
    if (!image || !memory) return image;
    SelectedObject selectedImage(memory.get(), image);
    SelectedObject selectedPen(memory.get(), GetStockObject(WHITE_PEN));
    PatBlt(memory.get(), 0, 0, width, height, BLACKNESS);
    MoveToEx(memory.get(), 0, height / 2, nullptr);
    LineTo(memory.get(), width + 1, height / 2);
    MoveToEx(memory.get(), width / 2, 0, nullptr);
    LineTo(memory.get(), width / 2, height + 1);
    return image;
}

// The echo is complete before the driver is called: a driver may deliver
// packets from inside VXEnable or VXOverlap, and a packet that ends the echo
// there must find everything it has to undo.
void EchoOn(HWND control) {
    if (echoOn) return;
    echoOn = TRUE;
    for (int tries = 0; ShowCursor(FALSE) >= 0 && tries < ShowCursorTries; ++tries) {
    }
    caretWidth = GetSystemMetrics(SM_CXCURSOR);
    caretHeight = GetSystemMetrics(SM_CYCURSOR);
    caretImage = BuildCrosshair(caretWidth, caretHeight);
    // Read before the caret exists: Wine answers a new caret's own rate
    // rather than the system's once one is created.
    savedBlinkTime = GetCaretBlinkTime();
    CreateCaret(control, caretImage, 0, 0);  // hidden until placed and shown
    caretShown = false;
    placeMessagePosted = false;  // one still queued finds nothing pending, or places early
    SetCaretBlinkTime(SteadyBlinkTime);
    if (CaptureContext) {
        VXEnable(CaptureContext, TRUE);
        if (echoOn) VXOverlap(CaptureContext, TRUE);
    }
}

// The system cursor comes back where the echo's top-left corner was. As in
// EchoOn, the driver is called last, once everything is undone.
void EchoOff(HWND control) {
    if (!echoOn) return;
    echoOn = FALSE;
    PlaceEchoCaret(control);
    POINT at = {0, 0};
    GetCaretPos(&at);
    DestroyCaret();
    if (caretImage) DeleteObject(caretImage);
    caretImage = nullptr;
    SetCaretBlinkTime(savedBlinkTime);
    ClientToScreen(control, &at);
    SetCursorPos(at.x, at.y);
    for (int tries = 0; ShowCursor(TRUE) < 0 && tries < ShowCursorTries; ++tries) {
    }
    if (CaptureContext) VXEnable(CaptureContext, FALSE);
}

// --- helpers ---------------------------------------------------------------

void TakeWholeTablet(HWND control) {
    const AxisInfo& x = captureTablet.axisX;
    const AxisInfo& y = captureTablet.axisY;
    StoreShownArea(control, AreaBounds{x.minimum, y.minimum, x.maximum, y.maximum});
}

// A capture resumed for a new definition: the area defined before it is what
// leaving without a new one restores.
void KeepDefinedAreaForResume(HWND control) {
    if (!HasAreaFlags(control, AreaDefined)) return;
    WriteArea(control, SavedAreaRectSlot, ReadArea(control, AreaRectSlot));
    ClearAreaFlags(control, AreaDefined);
}

WORD CurrentPrompt(HWND control) {
    return HasAreaFlags(control, AreaFirstCorner) ? SAN_ASKUPPERRIGHT : SAN_ASKLOWERLEFT;
}

void StartInactivityTimer(HWND control, UINT period) {
    SetTimer(control, InactivityTimer, period, nullptr);
    inactivityTimerOwner = control;
}

void StopInactivityTimer(HWND control) {
    KillTimer(control, InactivityTimer);
    if (inactivityTimerOwner == control) inactivityTimerOwner = nullptr;
}

// The time-out counts from this packet. A timer that runs already is left
// alone; it fires early and waits out the rest.
void NotePacketTime(HWND control) {
    lastPacketTick = GetTickCount();
    if (inactivityTimerOwner != control) StartInactivityTimer(control, InactivityPeriod);
}

// Stops the capture by a key or a time-out.
void StopCapture(HWND control) {
    SetAreaFlags(control, AreaStopped);
    ClearAreaFlags(control, AreaEcho);
    StopInactivityTimer(control);
    EchoOff(control);
    NotifyAreaParent(control, SAN_CANCELLED);
}

void OnFocusGained(HWND control) {
    ReadCaptureTablet();
    WriteArea(control, SavedAreaRectSlot, ReadArea(control, AreaRectSlot));
    TakeWholeTablet(control);
    SetAreaFlags(control, AreaHeld);  // a button already down must be released first
    ClearAreaFlags(control, AreaFirstCorner | AreaDefined);
    NotifyAreaParent(control, SAN_AREARESET);
    RefreshArea(control);
    NotifyAreaParent(control, SAN_ASKLOWERLEFT);
}

void OnFocusLost(HWND control) {
    if (!HasAreaFlags(control, AreaDefined)) StoreShownArea(control, ReadArea(control, SavedAreaRectSlot));
    ClearAreaFlags(control, AreaFirstCorner | AreaEcho);
    StopInactivityTimer(control);
    EchoOff(control);
    NotifyAreaParent(control, SAN_AREACHANGED);
    NotifyAreaParent(control, SAN_FOCUSLOST);
}

// The echo follows the cursor (its caret is placed by SettleEchoCaret);
// leaving or re-entering the allowed rectangle is reported once each way.
void FollowCursor(HWND control, const PacketRecord& packet) {
    POINT at = {packet.x, packet.y};
    TabletToClient(control, &at, 1);
    caretTarget = {at.x - caretWidth / 2, at.y - caretHeight / 2};
    // Placed once the burst ends; a pen held still moves nothing.
    caretMovePending = !caretShown || caretTarget.x != caretPlace.x || caretTarget.y != caretPlace.y;

    AreaBounds allowed = ReadArea(control, AreaRectSlot);
    bool outside =
        packet.x < allowed.left || packet.x > allowed.right || packet.y < allowed.top || packet.y > allowed.bottom;
    bool flagged = HasAreaFlags(control, AreaOutOfRange);
    if (outside && !flagged) {
        SetAreaFlags(control, AreaOutOfRange);
        NotifyAreaParent(control, SAN_OUTOFRANGE);
    } else if (!outside && flagged) {
        ClearAreaFlags(control, AreaOutOfRange);
        NotifyAreaParent(control, CurrentPrompt(control));
    }
}

void TakeFirstCorner(HWND control, const PacketRecord& packet) {
    SetAreaFlags(control, AreaFirstCorner);
    AreaBounds area = ReadArea(control, AreaRectSlot);
    area.left = packet.x;
    area.bottom = packet.y;
    StoreShownArea(control, area);
    NotifyAreaParent(control, SAN_ASKUPPERRIGHT);
    NotifyAreaParent(control, SAN_AREACHANGED);
    RefreshArea(control);
}

void TakeSecondCorner(HWND control, const PacketRecord& packet) {
    SetAreaFlags(control, AreaWaitRelease | AreaDefined);
    ClearAreaFlags(control, AreaEcho | AreaFirstCorner);
    StopInactivityTimer(control);
    AreaBounds area = ReadArea(control, AreaRectSlot);
    area.right = packet.x;
    area.top = packet.y;
    StoreShownArea(control, area);
    WriteArea(control, SavedAreaRectSlot, area);
    NotifyAreaParent(control, SAN_DEFINED);
    NotifyAreaParent(control, SAN_AREACHANGED);
    RefreshArea(control);
}

// Foreign buttons stop the capture once all are up; a selecting button
// counts on its leading edge only.
void HandleButtons(HWND control, const PacketRecord& packet) {
    DWORD selecting = MaskForCursor(packet.cursor);
    if (packet.buttons & ~selecting) {
        SetAreaFlags(control, AreaWaitRelease);
        ClearAreaFlags(control, AreaEcho);  // the echo stays visible until the release
        StopInactivityTimer(control);
        NotifyAreaParent(control, SAN_CANCELLED);
    }
    if (packet.buttons & selecting) {
        if (HasAreaFlags(control, AreaHeld)) return;
        SetAreaFlags(control, AreaHeld);
        if (HasAreaFlags(control, AreaOutOfRange)) return;  // the press is spent
        if (!HasAreaFlags(control, AreaFirstCorner))
            TakeFirstCorner(control, packet);
        else
            TakeSecondCorner(control, packet);
    } else if (HasAreaFlags(control, AreaHeld)) {
        ClearAreaFlags(control, AreaHeld);
    }
}

}  // namespace

void OnAreaFocusChange(HWND control, bool gained) {
    // The two messages alternate; an unmatched one changes nothing.
    if (HasAreaFlags(control, AreaFocused) == gained) return;
    if (gained)
        SetAreaFlags(control, AreaFocused);
    else
        ClearAreaFlags(control, AreaFocused);
    ClearAreaFlags(control, AreaStopped);
    if (gained)
        OnFocusGained(control);
    else
        OnFocusLost(control);
    InvalidateRect(control, nullptr, TRUE);
    if (gained)
        OpenCaptureContext(control);
    else
        CloseCaptureContext();
}

void OnAreaMouseDown(HWND control) {
    if (HasAreaFlags(control, AreaStopped)) {
        ClearAreaFlags(control, AreaStopped);
        SetAreaFlags(control, AreaHeld);
        WORD prompt = SAN_ASKUPPERRIGHT;
        if (!HasAreaFlags(control, AreaFirstCorner)) {
            KeepDefinedAreaForResume(control);
            TakeWholeTablet(control);
            NotifyAreaParent(control, SAN_AREARESET);
            RefreshArea(control);
            prompt = SAN_ASKLOWERLEFT;
        }
        SetAreaFlags(control, AreaEcho);
        NotifyAreaParent(control, prompt);
        EchoOn(control);
    }
    if (!HasAreaFlags(control, AreaFocused)) SetFocus(control);
}

void OnAreaKeyDown(HWND control) {
    if (HasAreaFlags(control, AreaStopped)) return;
    StopCapture(control);
}

void OnAreaTimer(HWND control) {
    StopInactivityTimer(control);
    DWORD left = InactivityLeft(GetTickCount(), lastPacketTick, InactivityPeriod);
    if (left) {
        StartInactivityTimer(control, left);
        return;
    }
    if (HasAreaFlags(control, AreaHeld)) {
        StartInactivityTimer(control, InactivityPeriod);
        return;
    }
    StopCapture(control);
}

namespace {

// Reads the packet and, while the control is focused and not stopped, acts
// on it: after a defined area or a foreign button the capture stops once
// every button is up; otherwise the echo shows and follows the cursor, the
// buttons are handled and the time-out counts from this packet.
void HandlePacket(HWND control, WPARAM serial) {
    PacketRecord packet = {};
    if (!CaptureContext || !VXPacket(CaptureContext, static_cast<UINT>(serial), &packet)) return;
    WORD state = AreaState(control);
    if (!(state & AreaFocused) || (state & AreaStopped)) return;

    if (state & AreaWaitRelease) {
        if (packet.buttons == 0) {
            ClearAreaFlags(control, AreaWaitRelease);
            SetAreaFlags(control, AreaStopped);
            EchoOff(control);
        }
        return;
    }
    if (!(state & AreaEcho)) {
        SetAreaFlags(control, AreaEcho);
        EchoOn(control);
    }
    FollowCursor(control, packet);
    HandleButtons(control, packet);
    NotePacketTime(control);
}

}  // namespace

void OnAreaPacket(HWND control, WPARAM serial) {
    HandlePacket(control, serial);
    SettleEchoCaret(control);
}

void OnAreaEchoPlace(HWND control) {
    placeMessagePosted = false;
    if (echoOn) PlaceEchoCaret(control);
}

void OnAreaInfoChanged(LPARAM lParam) {
    // The category arrives as a low word, cut to 16 bits for cursor numbers
    // near 65535; the device's range is measured in 16 bits the same way.
    WORD offset = static_cast<WORD>(LOWORD(lParam) - static_cast<WORD>(CursorInfo + firstCursor));
    if (HIWORD(lParam) == CursorSystemButtonMap && offset < cursorCount) ReloadButtonMasks();
}

void OnAreaDestroy(HWND control) {
    // Normally the focus leaves first; if not, release what the capture holds.
    if (!HasAreaFlags(control, AreaFocused)) return;
    ClearAreaFlags(control, AreaFocused);
    StopInactivityTimer(control);
    EchoOff(control);
    CloseCaptureContext();
}
