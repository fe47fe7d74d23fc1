// Answers of VXInfoA: the number of bytes copied into the caller's buffer, or
// with no buffer the number needed; 0 for an unknown category or index.
// The caller's buffer carries no size: it must hold what the size query says.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

UINT Copy(const void* data, size_t size, LPVOID buffer) {
    if (buffer && size) std::memcpy(buffer, data, size);
    return static_cast<UINT>(size);
}

UINT CopyText(const std::string& text, LPVOID buffer) { return Copy(text.c_str(), text.size() + 1, buffer); }

UINT CopyU32(uint32_t value, LPVOID buffer) { return Copy(&value, sizeof value, buffer); }

std::string NameWithFault(const Driver& d, const std::string& name) {
    return d.faults.nameLength >= 0 ? RepeatToLength(name, static_cast<size_t>(d.faults.nameLength)) : name;
}

AxisInfo AxisWithFaults(const Driver& d, AxisInfo axis, bool zeroExtent) {
    if (d.faults.zeroResolution) axis.resolution = 0;
    if (zeroExtent) axis.maximum = axis.minimum;
    return axis;
}

UINT DeviceAnswer(const Driver& d, uint32_t number, UINT index, LPVOID buffer) {
    if (number >= d.tablet.devices.size()) {
        bool answers = d.faults.everyDeviceFlags >= 0 && index == DeviceRelativeFields;
        return answers ? CopyU32(static_cast<uint32_t>(d.faults.everyDeviceFlags), buffer) : 0;
    }
    const DeviceModel& device = d.tablet.devices[number];
    switch (index) {
    case DeviceName: return CopyText(NameWithFault(d, device.name), buffer);
    case DeviceCursorCount:
        if (d.faults.cursorCountAnswer >= 0) return CopyU32(static_cast<uint32_t>(d.faults.cursorCountAnswer), buffer);
        return CopyU32(static_cast<uint32_t>(device.cursors.size()), buffer);
    case DeviceFirstCursor: return CopyU32(device.firstCursor, buffer);
    case DeviceRelativeFields: return CopyU32(device.relativeFields, buffer);
    case DeviceAxisX: {
        AxisInfo axis = AxisWithFaults(d, device.axisX, d.faults.zeroExtentX);
        return Copy(&axis, sizeof axis, buffer);
    }
    case DeviceAxisY: {
        AxisInfo axis = AxisWithFaults(d, device.axisY, d.faults.zeroExtentY);
        return Copy(&axis, sizeof axis, buffer);
    }
    default: return 0;
    }
}

// Names one after another, each NUL-terminated, ended by an empty name.
std::string ButtonNames(const Driver& d, const CursorModel& cursor) {
    std::string names;
    for (const std::string& name : cursor.buttonNames) {
        names += name;
        names += '\0';
    }
    if (!d.faults.unterminatedNames) names += '\0';
    return names;
}

UINT CursorAnswer(Driver& d, uint32_t number, UINT index, LPVOID buffer) {
    const CursorModel* cursor = FindCursor(d, number);
    if (!cursor) return 0;
    switch (index) {
    case CursorName: return CopyText(NameWithFault(d, cursor->name), buffer);
    case CursorActive: return CopyU32(cursor->active ? 1 : 0, buffer);
    case CursorButtonCount: return Copy(&cursor->buttonCount, 1, buffer);
    case CursorButtonNames: {
        std::string names = ButtonNames(d, *cursor);
        return Copy(names.data(), names.size(), buffer);
    }
    case CursorSystemButtonMap: return Copy(&cursor->map, sizeof cursor->map, buffer);
    default: return 0;
    }
}

bool IsTextAnswer(UINT category, UINT index) {
    if (category >= CursorInfo) return index == CursorName || index == CursorButtonNames;
    if (category >= DeviceInfo) return index == DeviceName;
    return false;
}

UINT AnswerRecord(Driver& d, UINT category, UINT index, LPVOID buffer) {
    if (category == InfoPresence) return index == 0 && !d.faults.noPresence ? 1 : 0;
    if (d.faults.noAnswers) return 0;
    if (category == InterfaceInfo) {
        return index == InterfaceContextOptions
                   ? CopyU32(d.tablet.penOption ? static_cast<uint32_t>(PenOptionBit) : 0u, buffer)
                   : 0;
    }
    if (category == DefaultContextInfo) {
        return index == 0 ? Copy(&d.defaultContext.record, sizeof(ContextRecord), buffer) : 0;
    }
    if (category >= CursorInfo) return CursorAnswer(d, category - CursorInfo, index, buffer);
    if (category >= DeviceInfo) return DeviceAnswer(d, category - DeviceInfo, index, buffer);
    return 0;
}

bool LeavesUntouched(const Driver& d, UINT category) {
    if (category == InfoPresence) return false;
    return d.faults.silentReads >= 2 || (d.faults.silentReads == 1 && category == DefaultContextInfo);
}

// SimFaultTextOverrun: the text's final NUL becomes extra characters, so what
// is written runs extra bytes past the size the driver answers.
void RunOn(LPVOID buffer, UINT answered, size_t extra) {
    char* text = static_cast<char*>(buffer);
    std::memset(text + answered - 1, 'X', extra);
    text[answered - 1 + extra] = '\0';
}

// SimFaultSilentSpell: spends one silenced query of a device or a cursor.
bool SilencedBySpell(Faults& f, UINT category) {
    if (category < DeviceInfo || f.silentSpellLeft <= 0) return false;
    --f.silentSpellLeft;
    return true;
}

// SimFaultPartialRecords: how many bytes of a fixed-size record are written
// (0: all of it).
size_t PartialBytes(const Driver& d, UINT category, UINT index) {
    if (d.faults.partialRecords <= 0) return 0;
    if (category == DefaultContextInfo && index == 0) return kPartialContextBytes;
    bool device = category >= DeviceInfo && category < CursorInfo;
    if (device && (index == DeviceAxisX || index == DeviceAxisY)) return offsetof(AxisInfo, unitCode);
    if (d.faults.partialRecords >= 2 && category >= CursorInfo && index == CursorSystemButtonMap)
        return sizeof(ButtonMap) / 2;
    return 0;
}

// The record's whole size answered, only its first bytes written.
UINT AnswerInPart(Driver& d, UINT category, UINT index, LPVOID buffer, size_t part) {
    UINT answered = AnswerRecord(d, category, index, nullptr);
    if (!answered) return 0;
    std::vector<BYTE> whole(answered);
    AnswerRecord(d, category, index, whole.data());
    std::memcpy(buffer, whole.data(), std::min<size_t>(part, answered));
    return answered;
}

// SimFaultTextSizeWithoutTerminator: a text's size without its final NUL.
UINT TextSize(const Driver& d, UINT answered) {
    return answered && d.faults.textSizeWithoutTerminator ? answered - 1 : answered;
}

}  // namespace

void StartSilentSpell(Faults& faults) {
    if (faults.silentSpellWaiting < 0) return;
    faults.silentSpellLeft = faults.silentSpellWaiting;
    faults.silentSpellWaiting = -1;
}

void WriteOverlong(const Driver& d, LPVOID buffer, UINT answered) {
    if (buffer && answered && d.faults.overlongAnswers > 0)
        std::memset(static_cast<BYTE*>(buffer) + answered, 0xA5, static_cast<size_t>(d.faults.overlongAnswers));
}

UINT AnswerInfo(Driver& d, UINT category, UINT index, LPVOID buffer) {
    if (SilencedBySpell(d.faults, category)) return 0;
    if (!IsTextAnswer(category, index)) {
        // SimFaultSilentReads: the record's size answered, the buffer untouched.
        if (buffer && LeavesUntouched(d, category)) return AnswerRecord(d, category, index, nullptr);
        size_t part = PartialBytes(d, category, index);
        if (buffer && part) return AnswerInPart(d, category, index, buffer, part);
        UINT answered = AnswerRecord(d, category, index, buffer);
        WriteOverlong(d, buffer, answered);
        return answered;
    }
    UINT answered = AnswerRecord(d, category, index, buffer);
    if (!buffer) return answered && d.faults.hugeTextSize ? 0xFFFFFFFFu : TextSize(d, answered);
    if (answered && d.faults.textOverrun > 0) RunOn(buffer, answered, static_cast<size_t>(d.faults.textOverrun));
    return TextSize(d, answered);
}

}  // namespace sim
