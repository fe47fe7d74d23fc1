// Records, constants and entry-point signatures of the Vellix tablet driver
// interface, shared by the control panel and the driver stand-in in sim/.
// Everything that crosses the driver boundary is declared here once.
#pragma once

#include <windows.h>

#include "defs/vellix_records.h"

// Context enumeration callback: answer 0 to stop, nonzero to go on.
typedef BOOL(WINAPI* ContextEnumProc)(ContextHandle context, LPARAM parameter);

// Passed to VXMgrCsrButtonMap instead of a map: restore the driver's default.
#define VX_DEFAULT_BUTTON_MAP (reinterpret_cast<BYTE*>(static_cast<uintptr_t>(0xFFFFFFFFu)))

// Entry points: the X-macro lists name, ordinal, result, parameter list and
// argument list once; the binding layer and the stand-in both expand it.
#define VELLIX_ENTRY_POINTS(X)                                                                        \
    X(VXMgrDeviceConfig, 140, UINT, (ManagerHandle m, UINT device, HWND owner), (m, device, owner))   \
    X(VXMgrClose, 101, BOOL, (ManagerHandle m), (m))                                                  \
    X(VXGetA, 61, BOOL, (ContextHandle c, ContextRecord * r), (c, r))                                 \
    X(VXInfoA, 20, UINT, (UINT category, UINT index, LPVOID buffer), (category, index, buffer))       \
    X(VXSetA, 62, BOOL, (ContextHandle c, ContextRecord * r), (c, r))                                 \
    X(VXMgrCsrButtonMap, 182, BOOL, (ManagerHandle m, UINT cursor, BYTE * logical, BYTE * system),    \
      (m, cursor, logical, system))                                                                   \
    X(VXMgrContextEnum, 120, BOOL, (ManagerHandle m, ContextEnumProc callback, LPARAM parameter),     \
      (m, callback, parameter))                                                                       \
    X(VXMgrDefContext, 122, ContextHandle, (ManagerHandle m, BOOL system), (m, system))               \
    X(VXMgrCsrEnable, 181, BOOL, (ManagerHandle m, UINT cursor, BOOL enable), (m, cursor, enable))    \
    X(VXMgrOpen, 100, ManagerHandle, (HWND window, UINT messageBase), (window, messageBase))          \
    X(VXPacket, 24, BOOL, (ContextHandle c, UINT serial, LPVOID packet), (c, serial, packet))         \
    X(VXClose, 22, BOOL, (ContextHandle c), (c))                                                      \
    X(VXOpenA, 21, ContextHandle, (HWND window, ContextRecord * r, BOOL enable), (window, r, enable)) \
    X(VXEnable, 40, BOOL, (ContextHandle c, BOOL enable), (c, enable))                                \
    X(VXOverlap, 41, BOOL, (ContextHandle c, BOOL toTop), (c, toTop))
