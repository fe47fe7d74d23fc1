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
// A table names each answer it gives with the setters below, starting from
// AccessibleTraits{}:
//   AccessibleTraits{}.Role(ROLE_SYSTEM_GRAPHIC).Focusable().Name(AreaName)
struct AccessibleTraits {
    LONG role = 0;           // ROLE_SYSTEM_...
    bool focusable = false;  // takes the keyboard focus
    AccessibleText name = nullptr;
    AccessibleText value = nullptr;
    const char* defaultAction = nullptr;  // the verb a screen reader offers, or null
    void (*doDefaultAction)(HWND window) = nullptr;
    LONG childCount = 0;
    const char* const* childNames = nullptr;  // childCount names
    LONG childRole = 0;
    const char* childAction = nullptr;
    void (*doChildAction)(HWND window, LONG child) = nullptr;
    RECT (*childRect)(HWND window, LONG child) = nullptr;  // in client coordinates

    constexpr AccessibleTraits Role(LONG to) const { return With(&AccessibleTraits::role, to); }
    constexpr AccessibleTraits Focusable() const { return With(&AccessibleTraits::focusable, true); }
    constexpr AccessibleTraits Name(AccessibleText to) const { return With(&AccessibleTraits::name, to); }
    constexpr AccessibleTraits Value(AccessibleText to) const { return With(&AccessibleTraits::value, to); }
    constexpr AccessibleTraits DefaultAction(const char* verb, void (*action)(HWND)) const {
        return With(&AccessibleTraits::defaultAction, verb).With(&AccessibleTraits::doDefaultAction, action);
    }
    template <LONG Count>
    constexpr AccessibleTraits Children(const char* const (&names)[Count], LONG role) const {
        return With(&AccessibleTraits::childCount, Count)
            .With(&AccessibleTraits::childNames, static_cast<const char* const*>(names))
            .With(&AccessibleTraits::childRole, role);
    }
    constexpr AccessibleTraits ChildAction(const char* verb, void (*action)(HWND, LONG)) const {
        return With(&AccessibleTraits::childAction, verb).With(&AccessibleTraits::doChildAction, action);
    }
    constexpr AccessibleTraits ChildRect(RECT (*rect)(HWND, LONG)) const {
        return With(&AccessibleTraits::childRect, rect);
    }

private:
    template <typename Field, typename Given>
    constexpr AccessibleTraits With(Field AccessibleTraits::*field, Given to) const {
        AccessibleTraits changed = *this;
        changed.*field = to;
        return changed;
    }
};

// WM_GETOBJECT: the window's accessible object for OBJID_CLIENT, else the
// default processing.
LRESULT ServeAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam, const AccessibleTraits& traits);

// Tells screen readers that the client object changed (EVENT_OBJECT_...).
void NotifyAccessibleEvent(HWND window, DWORD event);

// A label as a screen reader says it: without its mnemonic ampersands and
// without the colon at its end ("&Width:" is "Width").
void SpokenLabel(const char* label, char* text, int size);
