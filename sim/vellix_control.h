/* Control interface of the Vellix32 stand-in, for tests only. These functions
   are exported by name (cdecl), apart from the fifteen driver entry points,
   which are exported by ordinal only. Load them with GetProcAddress; the
   program under test must never link against the stand-in.

   The device configuration dialog's control identifiers are at the end; the
   resource script reads them too, so that part is plain #defines. */
#ifndef VELLIX_CONTROL_H
#define VELLIX_CONTROL_H

/* Device configuration dialog ("Vellix Device Configuration"). */
#define VXC_CONFIG_DIALOG  100  /* template id inside Vellix32.dll */
#define VXC_CONFIG_DEVICE  1100 /* static: the device name */
#define VXC_CONFIG_SOFT    1101 /* radio "&Soft" (choice 0) */
#define VXC_CONFIG_MEDIUM  1102 /* radio "&Medium" (choice 1) */
#define VXC_CONFIG_FIRM    1103 /* radio "&Firm" (choice 2) */
#define VXC_CONFIG_RESTART 1104 /* static: restart note, shown when the device asks for one */
/* OK is IDOK (1), Cancel is IDCANCEL (2). */
#define VXC_CONFIG_CAPTION "Vellix Device Configuration"

#ifndef RC_INVOKED

#include <stdint.h>

#include "defs/vellix_records.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SIM_API __cdecl

/* Faults for SimSetFault. On/off faults: a value above 0 turns them on, 0 or
   -1 off. Faults with a value (6, 8, 9, 11): -1 (SimFaultOff) turns them off. */
enum SimFault {
    SimFaultOff = -1,
    SimFaultNoPresence = 1,         /* VXInfoA(0, 0, NULL) answers 0 */
    SimFaultNoAnswers = 2,          /* every other VXInfoA query answers 0 */
    SimFaultZeroResolution = 3,     /* both axes report resolution 0 */
    SimFaultZeroExtentX = 4,        /* x axis maximum = minimum */
    SimFaultZeroExtentY = 5,        /* y axis maximum = minimum */
    SimFaultNameLength = 6,         /* value: length of every device and cursor name (0 = empty) */
    SimFaultUnterminatedNames = 7,  /* button names lack the final empty name */
    SimFaultCursorCount = 8,        /* value N: every device has N cursor types (0 allowed) */
    SimFaultFirstCursor = 9,        /* value: first cursor number of device 0 */
    SimFaultNoDefaultSystem = 10,   /* system contexts named "Default System..." removed */
    SimFaultExtraContexts = 11,     /* value N: N more system contexts "Extra Context k" on device 0 */
    SimFaultOpenFails = 12,         /* VXOpenA answers 0 */
    SimFaultPacketFails = 13,       /* VXPacket answers 0 */
    SimFaultMgrOpenFails = 14,      /* VXMgrOpen answers 0 */
    SimFaultCursorCountAnswer = 15, /* value N: DeviceCursorCount answers N; the cursor types stay as they are */
    SimFaultEveryDevice = 16,       /* value F: every device number past the last answers DeviceRelativeFields F */
    SimFaultSendOnEnable = 17,     /* VXEnable and VXOverlap send an opened context's queued packets before answering */
    SimFaultOverlongAnswers = 18,  /* value N: VXInfoA and VXGetA write N bytes of 0xA5 after each fixed-size record */
    SimFaultHugeTextSize = 19,     /* the size query of every text (no buffer) answers 0xFFFFFFFF */
    SimFaultTextOverrun = 20,      /* value N: every text is written N bytes longer than its size says */
    SimFaultSilentReads = 21,      /* value 1: VXGetA and the default context query answer but write nothing;
                                      value 2: every other fixed-size record of VXInfoA as well */
    SimFaultCircularContexts = 22, /* VXMgrContextEnum starts again at the first context after the last */
    SimFaultSlowCalls = 23,        /* value N: every entry point takes N milliseconds */
    SimFaultSilentSpell = 24,      /* value N: from the next VXMgrContextEnum on, N device and cursor
                                      queries of VXInfoA answer 0 and write nothing */
    SimFaultPartialRecords = 25,   /* value 1: VXGetA, the default context query and the axes write only
                                      their first bytes yet answer the whole size; value 2: the button
                                      map as well */
    SimFaultTextSizeWithoutTerminator = 26, /* every text's size leaves out its final NUL; the read writes it */
    SimFaultCursorEnableFails = 27,         /* VXMgrCsrEnable answers 0 and changes nothing */
};
/* Faults 15, 16, 18, 20, 21, 23, 24 and 25 take a value; -1 (SimFaultOff) turns them off.
   Faults 8 to 11 reshape the tablet: setting or clearing one rebuilds it from
   its description (and the state file, when persistence is on), dropping
   changes made since. The others act when the driver is asked. */

/* The control functions: name, result and parameter list, written once. The
   declarations below, the stand-in's module-definition file (exports by name,
   in this order, from ordinal 1000) and the tests' loader are made from it. */
#define SIM_CONTROL_FUNCTIONS(X)                                                       \
    /* Back to the built-in tablet: fresh state, no persistence, call log,             \
       faults and packet queues cleared, opened contexts closed. Manager               \
       handles stay. */                                                                \
    X(SimReset, void, (void))                                                          \
    /* Load a tablet description (ini file, see sim/README.md); 1 on success,          \
       0 when the file does not exist (the tablet is then unchanged). */               \
    X(SimLoadDescription, int, (const char* path))                                     \
    /* The same from the text of a description file. */                                \
    X(SimLoadDescriptionText, int, (const char* iniText))                              \
    /* Persist to this state file from now on (its settings, if any, are               \
       loaded over the description's); NULL: no persistence. */                        \
    X(SimSetStatePath, void, (const char* pathOrNull))                                 \
    /* Delete the state file (if any) and go back to the description's                 \
       settings. */                                                                    \
    X(SimForgetState, void, (void))                                                    \
    /* Post a packet (output coordinates, passed unchanged) to every enabled           \
       opened context of the cursor's device (all of them for an unknown               \
       cursor); answers the number of contexts it was posted to. */                    \
    X(SimInjectPacket, int, (uint32_t cursor, uint32_t buttons, int32_t x, int32_t y)) \
    /* Poll the host mouse once, as the VELLIX_HOST_MOUSE timer does, whether          \
       or not the feed is on; answers the number of packets posted. */                 \
    X(SimPollHostMouse, int, (void))                                                   \
    /* Packets waiting in a context's queue; -1 for an unknown context. */             \
    X(SimQueuedPackets, int, (ContextHandle context))                                  \
    /* Enumerated contexts: system contexts first (description order), then            \
       the opened ones (open order). */                                                \
    X(SimContextCount, int, (void))                                                    \
    X(SimContextAt, ContextHandle, (int index))                                        \
    X(SimOpenedContextCount, int, (void))                                              \
    /* VXMgrDefContext(m, 1) */                                                        \
    X(SimDefaultSystemContext, ContextHandle, (void))                                  \
    /* VXMgrDefContext(m, 0); DefaultContextInfo */                                    \
    X(SimDefaultContext, ContextHandle, (void))                                        \
    /* opened context on top of the overlap order */                                   \
    X(SimTopContext, ContextHandle, (void))                                            \
    /* Any context, not logged; 1 when known. Writes persist like driver               \
       calls. */                                                                       \
    X(SimReadContext, int, (ContextHandle context, ContextRecord * record))            \
    X(SimWriteContext, int, (ContextHandle context, const ContextRecord* record))      \
    /* 1 enabled, 0 disabled, -1 unknown context. */                                   \
    X(SimContextEnabled, int, (ContextHandle context))                                 \
    X(SimDeviceCount, int, (void))                                                     \
    /* Cursor state, not logged; 1 (or the flag) when the cursor exists, else          \
       0 / -1. */                                                                      \
    X(SimReadButtonMap, int, (uint32_t cursor, ButtonMap * map))                       \
    X(SimReadDefaultButtonMap, int, (uint32_t cursor, ButtonMap * map))                \
    /* 1, 0, or -1 unknown */                                                          \
    X(SimCursorEnabled, int, (uint32_t cursor))                                        \
    /* Calls of the fifteen entry points since the last reset. */                      \
    X(SimCallCount, int, (uint32_t ordinal))                                           \
    X(SimTotalCalls, int, (void))                                                      \
    /* One line per call, "\n"-separated: the name and its main arguments,             \
       e.g. "VXInfoA 103 12" or "VXInfoA 206 6 null" (no buffer). Copies at            \
       most size bytes (always NUL-terminated when size > 0); answers the              \
       size needed. */                                                                 \
    X(SimCallLog, int, (char* buffer, int size))                                       \
    X(SimClearLog, void, (void))                                                       \
    /* 1 when the fault is known (and set), else 0. */                                 \
    X(SimSetFault, int, (int fault, int value))                                        \
    X(SimClearFaults, void, (void))                                                    \
    /* The pressure choice (0 soft, 1 medium, 2 firm) of the last device               \
       whose configuration dialog closed with OK; 1 before any. */                     \
    X(SimLastConfigChoice, int, (void))                                                \
    /* result >= 0: VXMgrDeviceConfig with an owner answers it at once                 \
       without a dialog (for devices with a dialog); -1: run the dialog. */            \
    X(SimSetConfigResult, void, (int result))                                          \
    /* Post InfoChangedMessage, lParam MAKELPARAM(category, index), to every           \
       manager window and every opened context's window, as a change of                \
       the tablet does. */                                                             \
    X(SimNotifyInfoChanged, void, (uint32_t category, uint32_t index))

#define SIM_DECLARE_CONTROL_FUNCTION(name, result, params) result SIM_API name params;
SIM_CONTROL_FUNCTIONS(SIM_DECLARE_CONTROL_FUNCTION)
#undef SIM_DECLARE_CONTROL_FUNCTION

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */
#endif /* VELLIX_CONTROL_H */
