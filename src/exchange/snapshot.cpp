// The one reader of the tablet: every question the program asks the driver
// (VXInfoA, VXGetA) is asked here, and each answer is checked the same way
// before anything is worked out from it.
#include "exchange/snapshot.h"

#include <cstring>

#include "core/name_parts.h"
#include "core/settings.h"
#include "defs/features.h"
#include "driver/driver.h"
#include "driver/session.h"
#include "win/resources.h"

namespace {

// --- reading one answer ------------------------------------------------------

// Room for a record and whatever a driver writes past it: a driver may write
// as much as it answers, and an answer larger than this room is a failed
// read. The two reads of a record fill the room with patterns that differ in
// every byte.
constexpr size_t LargestDriverRecord = sizeof(ContextRecord);
constexpr size_t DriverAnswerSpareRoom = 4096;
constexpr size_t LargestDriverNumber = sizeof(DWORD);
constexpr BYTE FirstFill = 0xCD;
constexpr BYTE SecondFill = static_cast<BYTE>(~FirstFill);
BYTE firstRoom[LargestDriverRecord + DriverAnswerSpareRoom];
BYTE secondRoom[LargestDriverRecord + DriverAnswerSpareRoom];

// One read of size bytes into room filled with fill; the driver's answer, or
// 0 when it answers nothing or more than the room holds. answeredBytes tells
// whether the answer counts bytes (VXInfoA) or is a flag (VXGetA).
template <class Ask>
bool ReadInto(BYTE* room, BYTE fill, size_t size, bool answeredBytes, Ask ask) {
    memset(room, fill, LargestDriverRecord + DriverAnswerSpareRoom);
    UINT answer = static_cast<UINT>(ask(static_cast<void*>(room)));
    if (answer == 0) return false;
    if (!answeredBytes) return true;
    return answer >= size && answer <= LargestDriverRecord + DriverAnswerSpareRoom;
}

// A record larger than a number, read whole or not at all: read twice, and
// taken only when every byte of it agrees between the reads.
template <class Ask>
bool ReadWholeRecord(void* record, size_t size, bool answeredBytes, Ask ask) {
    if (size > LargestDriverRecord) return false;
    if (!ReadInto(firstRoom, FirstFill, size, answeredBytes, ask)) return false;
    if (!ReadInto(secondRoom, SecondFill, size, answeredBytes, ask)) return false;
    if (memcmp(firstRoom, secondRoom, size) != 0) return false;
    memcpy(record, firstRoom, size);
    return true;
}

template <class Record>
bool ReadInfoRecord(UINT category, UINT index, Record& record) {
    static_assert(sizeof(Record) > LargestDriverNumber, "numbers are read by ReadInfoNumber");
    return ReadWholeRecord(&record, sizeof record, true, [&](void* room) { return VXInfoA(category, index, room); });
}

// A number or a flag: one read; a shorter answer (a one-byte count) leaves
// the rest zero.
template <class Number>
bool ReadInfoNumber(UINT category, UINT index, Number& number) {
    static_assert(sizeof(Number) <= LargestDriverNumber, "records are read by ReadInfoRecord");
    number = 0;
    if (!ReadInto(firstRoom, 0, 1, true, [&](void* room) { return VXInfoA(category, index, room); })) return false;
    memcpy(&number, firstRoom, sizeof number);
    return true;
}

bool ReadContext(ContextHandle context, ContextRecord& record) {
    return ReadWholeRecord(&record, sizeof record, false,
                           [&](void* room) { return VXGetA(context, static_cast<ContextRecord*>(room)); });
}

// --- texts -------------------------------------------------------------------

// The longest text taken from the driver: a larger size is a failed query,
// not a reason to allocate.
constexpr UINT LongestDriverText = 64 * 1024;
constexpr UINT DriverTextSpareRoom = 4096;

// A driver text read whole: its size asked first, then the text read into
// local memory with room to spare. The announced size is kept, whether or
// not the driver counted the text's final NUL in it: what it wrote past the
// announced bytes is dropped, unless that is only the NUL it left out of the
// count. The text then ends with two NULs, so a name and a list of names
// (each ended by a NUL, the list by an empty one) are always terminated.
class DriverText {
public:
    DriverText(UINT category, UINT index) {
        UINT announced = VXInfoA(category, index, nullptr);
        if (announced == 0 || announced > LongestDriverText) return;
        memory = LocalAlloc(LPTR, announced + DriverTextSpareRoom);
        if (!memory) return;
        char* text = static_cast<char*>(memory);
        UINT answered = VXInfoA(category, index, text);
        if (answered == 0 || answered > announced + DriverTextSpareRoom) {
            LocalFree(memory);
            memory = nullptr;
            return;
        }
        // A last byte that is not a NUL, followed by one, is a text whose
        // size left its NUL out; followed by more text, it was written past
        // its size, and the last announced byte stands where its NUL was.
        if (text[announced - 1] != '\0' && text[announced] != '\0') text[announced - 1] = '\0';
        text[announced] = '\0';
        text[announced + 1] = '\0';
    }
    ~DriverText() {
        if (memory) LocalFree(memory);
    }
    DriverText(const DriverText&) = delete;
    DriverText& operator=(const DriverText&) = delete;
    const char* Begin() const { return static_cast<const char*>(memory); }

private:
    HLOCAL memory = nullptr;
};

// A text into a buffer of size bytes, cut there; false (the buffer empty)
// when it does not answer.
bool ReadText(UINT category, UINT index, char* buffer, size_t size) {
    buffer[0] = '\0';
    DriverText text(category, index);
    if (!text.Begin()) return false;
    size_t length = strnlen(text.Begin(), size - 1);
    memcpy(buffer, text.Begin(), length);
    buffer[length] = '\0';
    return true;
}

// --- the device --------------------------------------------------------------

const char* selectionText = nullptr;
WORD selectedDevice = 0;
bool selectionRan = false;

bool ReportsRelative(DWORD flags) { return (flags & (RelativeFieldX | RelativeFieldY)) != 0; }

// The device's relative-field flags; false past the last device.
bool DeviceFlags(WORD device, DWORD& flags) { return ReadInfoNumber(DeviceInfo + device, DeviceRelativeFields, flags); }

UINT DeviceCategory() { return DeviceInfo + SelectDevice(); }

// --- cursor types ------------------------------------------------------------

void ReadCursorList(TabletSnapshot& s, DWORD limit, bool withNames) {
    UINT device = DeviceCategory();
    bool haveFirst = ReadInfoNumber(device, DeviceFirstCursor, s.firstCursor);
    bool haveCount = ReadInfoNumber(device, DeviceCursorCount, s.cursorCount);
    s.cursorsWhole = haveFirst && haveCount;
    s.listed = s.cursorsWhole ? (s.cursorCount < limit ? s.cursorCount : limit) : 0;
    s.activeKnown = s.cursorsWhole;
    bool unansweredBefore = false;
    for (DWORD p = 0; p < s.listed; ++p) {
        CursorEntry& entry = s.cursors[p];
        entry.number = s.firstCursor + p;
        UINT category = CursorInfo + entry.number;
        DWORD active = 0;
        entry.activeWhole = ReadInfoNumber(category, CursorActive, active);
        entry.active = active != 0;
        if (withNames) entry.nameWhole = ReadText(category, CursorName, entry.name, sizeof entry.name);
        if (!s.hasActive && entry.active) {
            s.hasActive = true;
            s.activePosition = p;
        }
        if (!s.hasActive && !entry.activeWhole && p == 0) s.activeKnown = false;
        if (!s.hasActive && !entry.activeWhole) unansweredBefore = true;
    }
    // An active cursor is known when every flag before it answered; with
    // none active, when the first cursor's flag answered: a count larger
    // than the cursor types the device has leaves the rest unanswered.
    if (s.hasActive && unansweredBefore) s.activeKnown = false;
}

bool ReadMap(DWORD cursor, ButtonMap& map) { return ReadInfoRecord(CursorInfo + cursor, CursorSystemButtonMap, map); }

// The names one after another, each ended by a NUL, the list by an empty one.
void ReadButtonNames(CursorButtons& b) {
    DriverText names(CursorInfo + b.number, CursorButtonNames);
    b.namesWhole = names.Begin() != nullptr;
    size_t used = 0;
    for (const char* name = names.Begin(); name && *name && b.nameCount < ButtonNameLimit && used + 1 < ButtonNameRoom;
         name += strlen(name) + 1) {
        const size_t length = strnlen(name, ButtonNameRoom - used - 1);
        memcpy(b.nameText + used, name, length);
        b.nameText[used + length] = '\0';
        b.nameAt[b.nameCount++] = static_cast<WORD>(used);
        used += length + 1;
    }
}

void ReadButtons(DWORD cursor, bool withNames, CursorButtons& b) {
    b.number = cursor;
    b.countWhole = ReadInfoNumber(CursorInfo + cursor, CursorButtonCount, b.buttonCount);
    if (withNames) ReadButtonNames(b);
    b.mapWhole = ReadMap(cursor, b.map);
}

// The driver's default map is only readable by restoring it for a moment;
// the user's map goes back to the same cursor at once.
void ReadDefaultMap(TabletSnapshot& s) {
    DWORD cursor;
    if (!FirstActiveCursor(s, cursor) || !s.active.mapWhole) return;
    VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, VX_DEFAULT_BUTTON_MAP);
    s.defaultMapWhole = ReadMap(cursor, s.defaultMap);
    ButtonMap putBack = s.active.map;
    VXMgrCsrButtonMap(SessionManager(), cursor, nullptr, putBack.entry);
}

// --- contexts ----------------------------------------------------------------

// One enumeration of the manager's contexts. A context is read once to learn
// its name and device; one that names the selected device's "Default System"
// is read again, whole. The walk stops at the first context shown a second
// time (a list that runs in a circle) and at the walk limit.
struct ContextWalk {
    TabletSnapshot* snapshot;
    DWORD visited;
    ContextHandle seen[ContextWalkLimit];
};

bool SeenBefore(const ContextWalk& walk, ContextHandle context) {
    for (DWORD i = 0; i < walk.visited; ++i)
        if (walk.seen[i] == context) return true;
    return false;
}

bool NamesSelectedDevice(const ContextRecord& record) {
    return IsDefaultSystemName(record.name) && record.device == SelectDevice();
}

BOOL WINAPI VisitContext(ContextHandle context, LPARAM parameter) {
    ContextWalk& walk = *reinterpret_cast<ContextWalk*>(parameter);
    if (walk.visited >= ContextWalkLimit || SeenBefore(walk, context)) return 0;
    walk.seen[walk.visited++] = context;
    ContextRecord glance;
    if (!ReadInto(firstRoom, FirstFill, sizeof glance, false,
                  [&](void* room) { return VXGetA(context, static_cast<ContextRecord*>(room)); }))
        return 1;
    memcpy(&glance, firstRoom, sizeof glance);
    if (!NamesSelectedDevice(glance)) return 1;
    TabletSnapshot& s = *walk.snapshot;
    ContextRecord& record = s.systemRecords[s.systemCount];
    if (ReadContext(context, record) && NamesSelectedDevice(record)) s.systemHandles[s.systemCount++] = context;
    return 1;
}

void ReadContexts(TabletSnapshot& s) {
    static ContextWalk walk;
    walk.snapshot = &s;
    walk.visited = 0;
    VXMgrContextEnum(SessionManager(), VisitContext, reinterpret_cast<LPARAM>(&walk));
    s.defaultSystem = VXMgrDefContext(SessionManager(), 1);
    s.defaultSystemWhole = s.defaultSystem && ReadContext(s.defaultSystem, s.defaultSystemRecord);
    if (s.systemCount > 0) {
        s.source = s.systemRecords[0];
        s.sourceWhole = true;
    } else if (s.defaultSystemWhole) {
        s.source = s.defaultSystemRecord;
        s.sourceWhole = true;
    }
}

}  // namespace

bool DriverAnswers() { return VXInfoA(InfoPresence, 0, nullptr) != 0; }

void SetDeviceSelection(const char* text) { selectionText = text; }

const char* DeviceSelection() { return selectionText; }

WORD SelectDevice() {
    if (selectionRan) return selectedDevice;
    selectionRan = true;  // before searching, so a failed search is not repeated

    char emptySelection[20] = "";
    const char* selection = selectionText;
    if (!selection) {
        LoadStringA(ResourceInstance(), IDS_EMPTY_SELECTION, emptySelection, sizeof emptySelection);
        selection = emptySelection;
    }

    // Both passes stop at the walk limit, even when the driver answers for
    // every device number.
    static char searchName[DeviceNameSize];
    DWORD flags;
    for (WORD d = 0; d < DriverWalkLimit && DeviceFlags(d, flags); ++d) {
        if (ReportsRelative(flags)) continue;
        ReadText(DeviceInfo + d, DeviceName, searchName, sizeof searchName);
        if (NameContainsSelection(searchName, selection)) return selectedDevice = d;
    }
    for (WORD d = 0; d < DriverWalkLimit && DeviceFlags(d, flags); ++d) {
        if (!ReportsRelative(flags)) return selectedDevice = d;
    }
    return selectedDevice;
}

void ForgetDeviceSelection() {
    selectionRan = false;
    selectedDevice = 0;
}

void TakeSnapshot(TabletSnapshot& s, unsigned parts, DWORD cursorLimit) {
    memset(&s, 0, sizeof s);
    s.parts = parts;
    s.device = SelectDevice();
    UINT device = DeviceCategory();
    if (parts & SnapName) s.nameWhole = ReadText(device, DeviceName, s.deviceName, sizeof s.deviceName);
    if (parts & SnapAxes)
        s.axesWhole = ReadInfoRecord(device, DeviceAxisX, s.axisX) & ReadInfoRecord(device, DeviceAxisY, s.axisY);
    if (parts & SnapPenOption) {
        DWORD options = 0;
        s.penOptionWhole = ReadInfoNumber(InterfaceInfo, InterfaceContextOptions, options);
        s.penOption = (options & PenOptionBit) != 0;
    }
    if (parts & SnapDefaultContext) s.defaultContextWhole = ReadInfoRecord(DefaultContextInfo, 0, s.defaultContext);
    // The contexts before the cursor types: the default map, read last,
    // restores a map for a moment, and nothing is read in between.
    if (parts & SnapContexts) ReadContexts(s);

    const unsigned cursorParts = SnapCursorNames | SnapActiveName | SnapActiveButtons | SnapEveryMap | SnapEveryButton;
    if (!(parts & (SnapCursors | cursorParts))) return;
    if (cursorLimit > DriverWalkLimit) cursorLimit = DriverWalkLimit;
    ReadCursorList(s, cursorLimit, (parts & SnapCursorNames) != 0);
    if ((parts & SnapActiveName) && s.hasActive) {
        const CursorEntry& entry = s.cursors[s.activePosition];
        if (parts & SnapCursorNames) {
            s.activeNameWhole = entry.nameWhole;
            memcpy(s.activeName, entry.name, sizeof s.activeName);
        } else {
            s.activeNameWhole = ReadText(CursorInfo + entry.number, CursorName, s.activeName, sizeof s.activeName);
        }
    }
    if (parts & (SnapEveryMap | SnapEveryButton)) {
        s.detailed = s.listed < DetailedCursorLimit ? s.listed : DetailedCursorLimit;
        for (DWORD p = 0; p < s.detailed; ++p)
            ReadButtons(s.cursors[p].number, (parts & SnapEveryButton) != 0, s.details[p]);
    }
    DWORD cursor;
    if ((parts & (SnapActiveButtons | SnapDefaultMap)) && FirstActiveCursor(s, cursor)) {
        // A detailed cursor type's buttons are read once (its names only
        // with SnapEveryButton).
        DWORD position = cursor - s.firstCursor;
        if (position < s.detailed)
            s.active = s.details[position];
        else
            ReadButtons(cursor, true, s.active);
    }
    if (parts & SnapDefaultMap) ReadDefaultMap(s);
}

bool FirstActiveCursor(const TabletSnapshot& s, DWORD& cursor) {
    cursor = 0;
    if (!s.cursorsWhole || !s.activeKnown) return false;
    // No cursor reports itself active: the device's first cursor stands in,
    // so a cursor number is always at hand.
    cursor = s.hasActive ? s.cursors[s.activePosition].number : s.firstCursor;
    return true;
}

DWORD TabletWidth(const TabletSnapshot& s) { return AxisExtent(s.axisX); }

DWORD TabletHeight(const TabletSnapshot& s) { return AxisExtent(s.axisY); }

bool PenOptionInContext(const TabletSnapshot& s, const ContextRecord& record) {
    return s.penOption && (record.options & PenOptionBit) != 0;
}
