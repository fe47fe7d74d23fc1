// The built-in tablet, used when no description file is found: one absolute
// 12 by 9 inch pen tablet at 1000 counts per inch with a pen and a puck.
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

ButtonMap MapOf(std::initializer_list<uint8_t> codes) {
    ButtonMap map = {};
    size_t n = 0;
    for (uint8_t code : codes) {
        if (n < sizeof map.entry) map.entry[n++] = code;
    }
    return map;
}

}  // namespace

void SetContextName(ContextRecord& record, const char* name) {
    std::memset(record.name, 0, sizeof record.name);
    std::strncpy(record.name, name, sizeof record.name - 1);
}

CursorModel BuiltInCursor(size_t index) {
    CursorModel cursor;
    if (index == 0) {
        cursor.name = "Pen";
        cursor.active = true;
        cursor.buttonNames = {"Tip", "Lower Barrel", "Upper Barrel"};
        cursor.defaultMap = MapOf({1, 4, 2});  // Left Click, Right Click, Left Double Click
    } else if (index == 1) {
        cursor.name = "Puck";
        cursor.buttonNames = {"Left", "Middle", "Right", "Lower"};
        cursor.defaultMap = MapOf({1, 7, 4, 2});  // Left, Middle, Right Click, Left Double
    } else {
        cursor.name = "Cursor " + std::to_string(index);
        cursor.buttonNames = {"Button 0", "Button 1"};
        cursor.defaultMap = MapOf({1, 4});
    }
    cursor.buttonCount = static_cast<uint8_t>(cursor.buttonNames.size());
    cursor.map = cursor.defaultMap;
    return cursor;
}

DeviceModel BuiltInDevice() {
    DeviceModel device;
    device.name = "Vellix PenPad 12x9; Format: VX-II; Version 1.2";
    device.axisX = {0, 12000, AxisUnitInches, 1000u << 16};
    device.axisY = {0, 9000, AxisUnitInches, 1000u << 16};
    device.cursors = {BuiltInCursor(0), BuiltInCursor(1)};
    return device;
}

// A system context covering the whole tablet and mapped onto the screen.
ContextRecord SystemContextRecord(const DeviceModel& device, uint32_t number, const char* name) {
    ContextRecord record = {};
    SetContextName(record, name);
    record.messageBase = MessageBase;
    record.device = number;
    record.packetRate = 100;
    record.packetFields = PacketFieldCursor | PacketFieldButtons | PacketFieldX | PacketFieldY;
    record.inOriginX = device.axisX.minimum;
    record.inOriginY = device.axisY.minimum;
    record.inExtentX = device.axisX.maximum - device.axisX.minimum;
    record.inExtentY = device.axisY.maximum - device.axisY.minimum;
    record.outExtentX = GetSystemMetrics(SM_CXSCREEN);
    record.outExtentY = GetSystemMetrics(SM_CYSCREEN);
    record.trackingMode = 0;
    record.sensitivityX = 0x8000;
    record.sensitivityY = 0x8000;
    return record;
}

TabletModel BuiltInTablet() {
    TabletModel tablet;
    tablet.devices = {BuiltInDevice()};
    tablet.systemContexts = {SystemContextRecord(tablet.devices[0], 0, "Default System")};
    tablet.defaultContext = SystemContextRecord(tablet.devices[0], 0, "Default System");
    tablet.defaultSystemContext = tablet.systemContexts[0];
    NumberCursors(tablet);
    return tablet;
}

// Cursor numbers run on across devices unless a device fixes its first one.
void NumberCursors(TabletModel& tablet) {
    uint64_t next = 0;
    for (DeviceModel& device : tablet.devices) {
        uint64_t first = device.firstCursorOverride >= 0 ? static_cast<uint64_t>(device.firstCursorOverride) : next;
        if (first > 0xFFFFFFFFull) first = 0xFFFFFFFFull;
        device.firstCursor = static_cast<uint32_t>(first);
        next = first + device.cursors.size();
    }
}

}  // namespace sim
