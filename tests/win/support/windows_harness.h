// Helpers for Windows tests: pumping messages, driving modal boxes so that a
// test never hangs, and reading window texts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches every queued message of this thread (a posted quit is dropped).
void DispatchPending();

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
std::string WindowClass(HWND window);

// Visible dialog-class windows (#32770) of this thread, newest first.
std::vector<HWND> ThreadDialogs();

// While alive, checks every 20 ms (from inside any modal loop of this thread)
// for a dialog-class window not seen before and hands it to the handler,
// which reads it and closes it (for example with PressButton).
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(HWND box)> handler);
    ~ModalDriver();
    int handled() const { return handledCount; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> handler;
    std::vector<HWND> seen;
    UINT_PTR timer = 0;
    int handledCount = 0;
};

// Sends the box the command of its button id (IDOK, IDCANCEL ...).
void PressButton(HWND box, int id);

// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);

// The icon shown by a message box of this process (its icon static), and a
// comparison of two icons by their pixels (handles differ between loads).
HICON BoxIcon(HWND box);
bool SameImage(HICON a, HICON b);
