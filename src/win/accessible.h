// What the program's own window classes tell a screen reader: an accessible
// object served on WM_GETOBJECT for the client area, with the role, name,
// value, state, children and default action the window describes, and the
// system's standard object for everything else.
#pragma once

#include <windows.h>

#include <oleacc.h>

// The longest name or value a window gives, terminator included.
constexpr int AccessibleTextSize = 200;
typedef void (*AccessibleText)(HWND window, char* text, int size);

// One window class's answers. Children are simple elements numbered from 1
// (the Tweak's two halves); a null function means "nothing of the kind".
struct AccessibleTraits {
    LONG role;       // ROLE_SYSTEM_...
    bool focusable;  // takes the keyboard focus
    AccessibleText name;
    AccessibleText value;
    const char* defaultAction;  // the verb a screen reader offers, or null
    void (*doDefaultAction)(HWND window);
    LONG childCount;
    const char* const* childNames;  // childCount names
    LONG childRole;
    const char* childAction;
    void (*doChildAction)(HWND window, LONG child);
    RECT (*childRect)(HWND window, LONG child);  // in client coordinates
};

// WM_GETOBJECT: the window's accessible object for OBJID_CLIENT, else the
// default processing.
LRESULT ServeAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleTraits& traits);

// Tells screen readers that the client object changed (EVENT_OBJECT_...).
void NotifyAccessibleEvent(HWND window, DWORD event);

// A label as a screen reader says it: without its mnemonic ampersands and
// without the colon at its end ("&Width:" is "Width").
void SpokenLabel(const char* label, char* text, int size);
