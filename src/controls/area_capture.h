// Shared between the SetArea control (set_area.cpp) and its tablet corner
// capture (area_capture.cpp): the window-byte layout, the state flags and the
// helpers both sides use.
#pragma once

#include <windows.h>

#include "defs/vellix_records.h"

// Window extra bytes: all 32- and 16-bit values, the same on Win32 and Win64.
constexpr int AreaRectSlot = 0;        // left, top, right, bottom (i32 each)
constexpr int SavedAreaRectSlot = 16;  // the same
constexpr int AreaStateSlot = 32;      // WORD
constexpr int SetAreaWindowBytes = 34;

// AreaState flags.
constexpr WORD AreaStopped = 0x0001;
constexpr WORD AreaFocused = 0x0002;
constexpr WORD AreaShown = 0x0004;
constexpr WORD AreaEcho = 0x0008;
constexpr WORD AreaFirstCorner = 0x0020;
constexpr WORD AreaDefined = 0x0040;
constexpr WORD AreaWaitRelease = 0x2000;
constexpr WORD AreaOutOfRange = 0x4000;
constexpr WORD AreaHeld = 0x8000;

// Posted by the capture to its own control: place the echo's caret where the
// newest packet put it (one move per burst of packets).
constexpr UINT EchoPlaceMessage = WM_USER + 2;

struct AreaBounds {
    LONG left, top, right, bottom;
};

AreaBounds ReadArea(HWND control, int slot);
void WriteArea(HWND control, int slot, const AreaBounds& area);
// Stores the area the control shows (AreaRectSlot); a change is one value
// change to screen readers, whoever makes it, the capture or the parent.
void StoreShownArea(HWND control, const AreaBounds& area);
WORD AreaState(HWND control);
void StoreAreaState(HWND control, WORD state);
// Read-modify-write of the stored state, so that a change the parent made
// while handling a notification is never overwritten by a stale copy.
void SetAreaFlags(HWND control, WORD flags);
void ClearAreaFlags(HWND control, WORD flags);
bool HasAreaFlags(HWND control, WORD flags);

void NotifyAreaParent(HWND control, WORD code);
// Invalidates the whole control with erasing and repaints it at once.
void RefreshArea(HWND control);
// Tablet output coordinates to client coordinates, on the pictured tablet.
void TabletToClient(HWND control, POINT* points, int count);
// The tablet the controls picture (SetAreaTablet).
void AreaTablet(AxisInfo& x, AxisInfo& y);

// What screen readers hear (set_area_access.cpp): the accessible object on
// WM_GETOBJECT, the events that follow a notification to the parent, and the
// release of what the control keeps for them when it is destroyed.
LRESULT ServeAreaAccessible(HWND control, WPARAM wParam, LPARAM lParam);
void SpeakAreaNotification(HWND control, WORD code);
void ForgetAreaSpeech(HWND control);

// Capture handlers, one per message.
void OnAreaFocusChange(HWND control, bool gained);
void OnAreaMouseDown(HWND control);
void OnAreaKeyDown(HWND control);
void OnAreaTimer(HWND control);
void OnAreaPacket(HWND control, WPARAM serial);
void OnAreaEchoPlace(HWND control);
void OnAreaInfoChanged(LPARAM lParam);
void OnAreaDestroy(HWND control);
