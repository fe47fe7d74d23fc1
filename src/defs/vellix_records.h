// Records and constants of the Vellix tablet driver interface, with no
// Windows header, so that window-free code and native tests can use them.
#pragma once

#include <cstddef>
#include <cstdint>

typedef uint32_t ManagerHandle;  // 0 = none
typedef uint32_t ContextHandle;  // 0 = none

// Information categories and indices answered by VXInfoA.
enum : uint32_t {
    InfoPresence = 0,  // category 0, index 0, no buffer: nonzero when the driver answers

    InterfaceInfo = 1,
    InterfaceContextOptions = 7,  // u32 flags; bit PenOptionBit used

    DefaultContextInfo = 3,  // index 0: whole ContextRecord of the default context

    DeviceInfo = 100,  // + device number
    DeviceName = 1,
    DeviceCursorCount = 3,
    DeviceFirstCursor = 4,
    DeviceRelativeFields = 7,
    DeviceAxisX = 12,
    DeviceAxisY = 13,

    CursorInfo = 200,  // + cursor number
    CursorName = 1,
    CursorActive = 2,
    CursorButtonCount = 4,
    CursorButtonNames = 6,
    CursorSystemButtonMap = 8,
};

enum : uint32_t {
    PenOptionBit = 0x2,     // InterfaceContextOptions / ContextRecord.options
    RelativeFieldX = 0x80,  // DeviceRelativeFields
    RelativeFieldY = 0x100,
    PacketFieldCursor = 0x20,  // ContextRecord.packetFields
    PacketFieldButtons = 0x40,
    PacketFieldX = 0x80,
    PacketFieldY = 0x100,
    AxisUnitInches = 1,  // AxisInfo.unitCode
    AxisUnitCentimetres = 2,
};

enum : uint32_t {
    MessageBase = 0x7FF0,
    PacketMessage = MessageBase + 0,       // wParam serial, lParam context
    InfoChangedMessage = MessageBase + 6,  // lParam: low word category, high word index
};

enum : uint32_t { RestartNeeded = 3 };  // VXMgrDeviceConfig result

#pragma pack(push, 1)

// 172 bytes; fields the program does not use pass back to the driver unchanged.
struct ContextRecord {
    char name[40];            // 0
    uint32_t options;         // 40
    uint32_t status;          // 44
    uint32_t locks;           // 48
    uint32_t messageBase;     // 52
    uint32_t device;          // 56
    uint32_t packetRate;      // 60
    uint32_t packetFields;    // 64
    uint32_t packetMode;      // 68
    uint32_t reserved72[3];   // 72
    int32_t inOriginX;        // 84
    int32_t inOriginY;        // 88
    int32_t inOriginZ;        // 92
    int32_t inExtentX;        // 96
    int32_t inExtentY;        // 100
    int32_t inExtentZ;        // 104
    int32_t outOriginX;       // 108
    int32_t outOriginY;       // 112
    int32_t outOriginZ;       // 116
    int32_t outExtentX;       // 120
    int32_t outExtentY;       // 124
    int32_t outExtentZ;       // 128
    uint32_t reserved132[3];  // 132
    uint32_t trackingMode;    // 144: nonzero relative, 0 absolute
    uint32_t reserved148[4];  // 148
    uint32_t sensitivityX;    // 164: 16.16 fixed point
    uint32_t sensitivityY;    // 168
};

struct AxisInfo {
    int32_t minimum;
    int32_t maximum;
    uint32_t unitCode;    // AxisUnitInches or AxisUnitCentimetres
    uint32_t resolution;  // 16.16 counts per unit
};

// The tablet's extent along an axis, maximum - minimum, taken unsigned so
// that a hostile axis cannot overflow.
inline uint32_t AxisExtent(const AxisInfo& axis) {
    return static_cast<uint32_t>(axis.maximum) - static_cast<uint32_t>(axis.minimum);
}

struct ButtonMap {
    uint8_t entry[32];  // low 4 bits: action code
};

struct PacketRecord {  // layout for packetFields 0x1E0
    uint32_t cursor;
    uint32_t buttons;
    int32_t x;
    int32_t y;
};

#pragma pack(pop)

static_assert(sizeof(ContextRecord) == 172, "ContextRecord is 172 bytes");
static_assert(offsetof(ContextRecord, options) == 40, "options");
static_assert(offsetof(ContextRecord, locks) == 48, "locks");
static_assert(offsetof(ContextRecord, device) == 56, "device");
static_assert(offsetof(ContextRecord, packetFields) == 64, "packetFields");
static_assert(offsetof(ContextRecord, packetMode) == 68, "packetMode");
static_assert(offsetof(ContextRecord, inOriginX) == 84, "inOriginX");
static_assert(offsetof(ContextRecord, inExtentX) == 96, "inExtentX");
static_assert(offsetof(ContextRecord, outOriginX) == 108, "outOriginX");
static_assert(offsetof(ContextRecord, outExtentX) == 120, "outExtentX");
static_assert(offsetof(ContextRecord, trackingMode) == 144, "trackingMode");
static_assert(offsetof(ContextRecord, sensitivityX) == 164, "sensitivityX");
static_assert(sizeof(AxisInfo) == 16, "AxisInfo is 16 bytes");
static_assert(sizeof(ButtonMap) == 32, "ButtonMap is 32 bytes");
static_assert(sizeof(PacketRecord) == 16, "PacketRecord is 16 bytes");
