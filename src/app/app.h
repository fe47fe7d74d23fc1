// The application shell: start-up, the main window with its row table, and
// the icon buttons.
#pragma once

#include <windows.h>

#include "driver/vellix.h"
#include "win/resources.h"

extern char caption[50];           // "Tablet Control Panel": class name and title
extern HWND currentIcon;

// Icon-button notification codes (high word of the command).
enum : WORD { IconFocused = 0, IconQueryCurrent = 1, IconActivate = 5 };

typedef LRESULT (*RowPreHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct IconButtonRow {
    DWORD controlId;
    WORD iconId;
    WORD labelId;
    RowPreHandler preHandler;  // nonzero result: the command is finished
    DLGPROC dialogProc;
    DWORD templateId;
    HWND window;
};

struct IconGrid {
    DWORD columns;
    DWORD rows;
    IconButtonRow* firstRow;
};

extern IconGrid iconGrid;
constexpr int IconRowCount = 3;

// Start-up: takes the command line as the device selection, checks that the
// driver is there, registers the classes, creates the main window, opens the
// driver session, shows the window and reads the unit preference. Returns the
// main window, or null when the program must end (with exit code 0).
HWND StartTabletControlPanel(HINSTANCE instance, int showCommand);
int RunMessageLoop();
int TabletMain(HINSTANCE instance, int showCommand);

// Registration of the four classes, in start-up order; false stops start-up.
bool RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Icon buttons.
extern const char IconWindowClass[];
bool RegisterIconButtonClass(HINSTANCE instance);
HWND CreateIconButtons(HWND parent, IconGrid& grid);
LRESULT CALLBACK IconWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
enum IconSlot { IconSlotLeft = 0, IconSlotUp = 1, IconSlotRight = 2, IconSlotDown = 3, IconSlotIcon = 4 };
LONG_PTR IconButtonSlot(HWND button, IconSlot slot);
// The labels' font, made for one paint; the caller deletes it.
HFONT CreateIconLabelFont();

// Features row pre-handler: runs the driver's own device configuration.
LRESULT DeviceConfigHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The display's DPI (read once) and a size in pixels at 96 DPI scaled to it;
// at 96 DPI every size is exactly as written.
int DisplayDpi();
int ScaledPixels(int pixels);

