// The driver session: the manager opened for the program's main window and
// the one tablet device the program works with. Everything that needs the
// manager or the device asks here.
#pragma once

#include <windows.h>

#include "driver/vellix.h"

// Opens the manager for window (driver messages from MessageBase on); false,
// with no manager, when the driver refuses.
bool OpenDriverSession(HWND window);
// Closes the manager when one is open; the library stays loaded.
void CloseDriverSession();
// The open manager, 0 when none.
ManagerHandle SessionManager();

// The text a device's name is searched for: the process's whole command line
// in the program; null stands for the string table's empty selection.
void SetDeviceSelection(const char* text);
const char* DeviceSelection();
// The selected device, chosen on the first call: the first absolute device
// whose name contains the selection (ignoring case), else the first absolute
// device, else device 0.
WORD SelectDevice();
void ForgetDeviceSelection();  // the next SelectDevice searches again
