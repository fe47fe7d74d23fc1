// The custom controls: the Tweak spin control beside numeric fields and the
// SetArea control that pictures the tablet and its tracking area.
#pragma once

#include <windows.h>

#include "defs/vellix_records.h"

// Tweak messages and notifications.
enum : UINT { TWM_GETBUDDY = 0x0400, TWM_SETBUDDY = 0x0401 };
enum : WORD { TWN_UP = 0x20, TWN_DOWN = 0x21 };

// SetArea messages and notifications.
enum : UINT { SAM_GETAREA = 0x0400, SAM_SETAREA = 0x0401 };
enum : WORD {
    SAN_AREARESET = 0x20,
    SAN_AREACHANGED = 0x21,
    SAN_ASKLOWERLEFT = 0x22,
    SAN_ASKUPPERRIGHT = 0x23,
    SAN_DEFINED = 0x24,
    SAN_CANCELLED = 0x25,
    SAN_FOCUSLOST = 0x27,
    SAN_OUTOFRANGE = 0x28,
};

// The tablet every SetArea pictures, in counts: the axes its dialog read
// when it opened. Until set, a tablet without extent.
void SetAreaTablet(const AxisInfo& x, const AxisInfo& y);

// The status-line text a SetArea notification calls for, for the dialog that
// shows it and for screen readers, who hear it in the control's value: a
// prompt's string id, AreaPromptCleared for an emptied line, AreaPromptKept
// when the notification leaves the line as it is.
constexpr int AreaPromptCleared = 0;
constexpr int AreaPromptKept = -1;
int AreaPromptOf(WORD code);

// The unit in which a SetArea tells screen readers its area (the unit its
// dialog shows); until set, inches.
void SetAreaSpokenUnit(HWND control, int unit);

// Each answers 1 when the class is registered, now or by an earlier call.
int RegisterTweakClass(HINSTANCE instance);
int RegisterSetAreaClass(HINSTANCE instance);

LRESULT CALLBACK TweakWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SetAreaWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
