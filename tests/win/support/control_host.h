// A visible top-level window that hosts custom controls in tests and records
// the WM_COMMAND notifications its children send, in order.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <vector>

#include "support/windows_harness.h"

struct Notification {
    WORD id;
    WORD code;
    HWND from;
    bool operator==(const Notification& other) const {
        return id == other.id && code == other.code && from == other.from;
    }
};

// The SetArea controls picture the tablet as the driver describes it now,
// as a dialog that opened now would show it.
void PictureTabletNow();

class ControlHost {
public:
    ControlHost(int width = 360, int height = 280);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Window() const { return window_; }
    // A child of the host; nullptr when creation failed.
    HWND AddChild(const char* className, DWORD style, int x, int y, int width, int height, int id,
                  const char* text = "");

    // Notifications from these windows (edits, buttons) are not recorded.
    void Ignore(HWND child) { ignored_.push_back(child); }

    std::vector<Notification> notifications;
    std::vector<WORD> Codes() const;  // the codes alone, in order
    // Called for each notification after it is recorded (the parent's part).
    std::function<void(const Notification&)> onCommand;

private:
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<HWND> ignored_;
};

// The rectangle the SetArea control's messages carry, comparable and printable.
struct Area {
    LONG left, top, right, bottom;
    bool operator==(const Area& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
std::ostream& operator<<(std::ostream& out, const Area& a);
// SAM_SETAREA, and SAM_GETAREA's answer ({-1, -1, -1, -1} when none comes).
void SetArea(HWND control, const Area& a);
Area GetArea(HWND control);

// Colour of a client pixel read back from the window's own DC.
COLORREF ClientPixel(HWND window, int x, int y);
// The whole client area, row by row, as COLORREF values.
std::vector<COLORREF> ClientPixels(HWND window);
