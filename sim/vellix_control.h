/* Control interface of the Vellix32 stand-in, for tests only. These functions
   are exported by name (cdecl), apart from the fifteen driver entry points,
   which are exported by ordinal only. Load them with GetProcAddress; the
   program under test must never link against the stand-in.

   The device configuration dialog's control identifiers are at the end; the
   resource script reads them too, so that part is plain #defines. */
#ifndef VELLIX_CONTROL_H
#define VELLIX_CONTROL_H

/* Device configuration dialog ("Vellix Device Configuration"). */
#define VXC_CONFIG_DIALOG   100  /* template id inside Vellix32.dll */
#define VXC_CONFIG_DEVICE   1100 /* static: the device name */
#define VXC_CONFIG_SOFT     1101 /* radio "&Soft" (choice 0) */
#define VXC_CONFIG_MEDIUM   1102 /* radio "&Medium" (choice 1) */
#define VXC_CONFIG_FIRM     1103 /* radio "&Firm" (choice 2) */
#define VXC_CONFIG_RESTART  1104 /* static: restart note, shown when the device asks for one */
/* OK is IDOK (1), Cancel is IDCANCEL (2). */
#define VXC_CONFIG_CAPTION  "Vellix Device Configuration"

#ifndef RC_INVOKED

#include <stdint.h>

#include "driver/vellix_records.h"

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
    SimFaultSendOnEnable = 17,      /* VXEnable and VXOverlap send an opened context's queued packets before answering */
    SimFaultOverlongAnswers = 18,   /* value N: VXInfoA and VXGetA write N bytes of 0xA5 after each fixed-size record */
};
/* Faults 15, 16 and 18 take a value; -1 (SimFaultOff) turns them off.
   Faults 8 to 11 reshape the tablet: setting or clearing one rebuilds it from
   its description (and the state file, when persistence is on), dropping
   changes made since. The others act when the driver is asked. */

/* Back to the built-in tablet: fresh state, no persistence, call log, faults
   and packet queues cleared, opened contexts closed. Manager handles stay. */
void SIM_API SimReset(void);
/* Load a tablet description (ini file, see sim/README.md); 1 on success, 0
   when the file does not exist (the tablet is then unchanged). */
int SIM_API SimLoadDescription(const char* path);
/* The same from the text of a description file. */
int SIM_API SimLoadDescriptionText(const char* iniText);
/* Persist to this state file from now on (its settings, if any, are loaded
   over the description's); NULL: no persistence. */
void SIM_API SimSetStatePath(const char* pathOrNull);
/* Delete the state file (if any) and go back to the description's settings. */
void SIM_API SimForgetState(void);

/* Post a packet (output coordinates, passed unchanged) to every enabled
   opened context of the cursor's device (all of them for an unknown cursor);
   answers the number of contexts it was posted to. */
int SIM_API SimInjectPacket(uint32_t cursor, uint32_t buttons, int32_t x, int32_t y);
/* Poll the host mouse once, as the VELLIX_HOST_MOUSE timer does, whether or
   not the feed is on; answers the number of packets posted. */
int SIM_API SimPollHostMouse(void);
/* Packets waiting in a context's queue; -1 for an unknown context. */
int SIM_API SimQueuedPackets(ContextHandle context);

/* Enumerated contexts: system contexts first (description order), then the
   opened ones (open order). */
int SIM_API SimContextCount(void);
ContextHandle SIM_API SimContextAt(int index);
int SIM_API SimOpenedContextCount(void);
ContextHandle SIM_API SimDefaultSystemContext(void);  /* VXMgrDefContext(m, 1) */
ContextHandle SIM_API SimDefaultContext(void);        /* VXMgrDefContext(m, 0); DefaultContextInfo */
ContextHandle SIM_API SimTopContext(void);            /* opened context on top of the overlap order */
/* Any context, not logged; 1 when known. Writes persist like driver calls. */
int SIM_API SimReadContext(ContextHandle context, ContextRecord* record);
int SIM_API SimWriteContext(ContextHandle context, const ContextRecord* record);
/* 1 enabled, 0 disabled, -1 unknown context. */
int SIM_API SimContextEnabled(ContextHandle context);

int SIM_API SimDeviceCount(void);
/* Cursor state, not logged; 1 (or the flag) when the cursor exists, else 0 / -1. */
int SIM_API SimReadButtonMap(uint32_t cursor, ButtonMap* map);
int SIM_API SimReadDefaultButtonMap(uint32_t cursor, ButtonMap* map);
int SIM_API SimCursorEnabled(uint32_t cursor); /* 1, 0, or -1 unknown */

/* Calls of the fifteen entry points since the last reset. */
int SIM_API SimCallCount(uint32_t ordinal);
int SIM_API SimTotalCalls(void);
/* One line per call, "\n"-separated: the name and its main arguments, e.g.
   "VXInfoA 103 12" or "VXInfoA 206 6 null" (no buffer). Copies at most size
   bytes (always NUL-terminated when size > 0); answers the size needed. */
int SIM_API SimCallLog(char* buffer, int size);
void SIM_API SimClearLog(void);

/* 1 when the fault is known (and set), else 0. */
int SIM_API SimSetFault(int fault, int value);
void SIM_API SimClearFaults(void);

/* The pressure choice (0 soft, 1 medium, 2 firm) of the last device whose
   configuration dialog closed with OK; 1 before any. */
int SIM_API SimLastConfigChoice(void);
/* result >= 0: VXMgrDeviceConfig with an owner answers it at once without a
   dialog (for devices with a dialog); -1: run the dialog. */
void SIM_API SimSetConfigResult(int result);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */
#endif /* VELLIX_CONTROL_H */
