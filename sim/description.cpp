// Reads a tablet description file (an ini file, see sim/README.md). Every
// key is optional: what is missing comes from the built-in tablet. Numbers
// are decimal or 0x-hexadecimal; out-of-range values are clamped, so a
// hostile file gives an odd tablet, never a crash.
#include <cstdlib>
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

constexpr DWORD kSectionSize = 64 * 1024;

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Each section is read once with GetPrivateProfileSectionA and looked up
// here; a description with hundreds of cursors stays quick to load.
class DescriptionFile {
public:
    explicit DescriptionFile(const std::string& path) : path_(path) {}

    bool Has(const char* section, const char* key) const { return Find(section, key) != nullptr; }

    std::string Text(const char* section, const char* key, const std::string& fallback) const {
        const std::string* value = Find(section, key);
        return value ? *value : fallback;
    }

    int64_t Number(const char* section, const char* key, int64_t fallback, int64_t low, int64_t high) const {
        if (!Has(section, key)) return fallback;
        std::string text = Text(section, key, "");
        char* end = nullptr;
        long long value = std::strtoll(text.c_str(), &end, 0);
        if (end == text.c_str()) return fallback;
        if (value < low) return low;
        if (value > high) return high;
        return value;
    }

    int32_t Int(const char* section, const char* key, int32_t fallback) const {
        return static_cast<int32_t>(Number(section, key, fallback, INT32_MIN, INT32_MAX));
    }

    uint32_t Unsigned(const char* section, const char* key, uint32_t fallback) const {
        return static_cast<uint32_t>(Number(section, key, fallback, 0, UINT32_MAX));
    }

    bool Flag(const char* section, const char* key, bool fallback) const {
        return Number(section, key, fallback ? 1 : 0, INT32_MIN, INT32_MAX) != 0;
    }

    // Counts per unit: "1000", "1.5" or a raw 16.16 value "0x3E80000".
    uint32_t Resolution(const char* section, const char* key, uint32_t fallback) const {
        if (!Has(section, key)) return fallback;
        std::string text = Text(section, key, "");
        const char* p = text.c_str();
        while (*p == ' ' || *p == '\t') ++p;
        if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return Unsigned(section, key, fallback);
        uint64_t whole = 0;
        bool digits = false;
        while (*p >= '0' && *p <= '9') {
            digits = true;
            if (whole < 0x10000) whole = whole * 10 + static_cast<uint64_t>(*p - '0');
            ++p;
        }
        uint64_t fraction = 0, scale = 1;
        if (*p == '.') {
            for (++p; *p >= '0' && *p <= '9'; ++p) {
                digits = true;
                if (scale < 1000000000ull) {
                    fraction = fraction * 10 + static_cast<uint64_t>(*p - '0');
                    scale *= 10;
                }
            }
        }
        if (!digits) return fallback;
        uint64_t value = (whole << 16) + (fraction * 65536 + scale / 2) / scale;
        return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
    }

private:
    struct Entry {
        std::string key;  // lower case
        std::string value;
    };
    struct Section {
        std::string name;  // lower case
        std::vector<Entry> entries;
    };

    const std::string* Find(const char* section, const char* key) const {
        const Section& s = Load(section);
        std::string wanted = Lower(key);
        for (const Entry& e : s.entries) {
            if (e.key == wanted) return &e.value;
        }
        return nullptr;
    }

    const Section& Load(const char* section) const {
        std::string name = Lower(section);
        for (const Section& s : sections_) {
            if (s.name == name) return s;
        }
        Section loaded;
        loaded.name = name;
        std::vector<char> buffer(kSectionSize, '\0');
        DWORD n = GetPrivateProfileSectionA(section, buffer.data(), kSectionSize, path_.c_str());
        // "key=value" lines, each NUL-terminated; the first of a repeated key wins.
        for (DWORD start = 0; start < n;) {
            std::string line(buffer.data() + start);
            start += static_cast<DWORD>(line.size()) + 1;
            size_t equals = line.find('=');
            if (equals == std::string::npos || line[0] == ';') continue;
            std::string value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            loaded.entries.push_back({Lower(Trim(line.substr(0, equals))), value});
        }
        sections_.push_back(loaded);
        return sections_.back();
    }

    std::string path_;
    mutable std::deque<Section> sections_;  // deque: references stay valid
};

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    if (text.empty()) return items;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t first = item.find_first_not_of(" \t");
        size_t last = item.find_last_not_of(" \t");
        items.push_back(first == std::string::npos ? std::string() : item.substr(first, last - first + 1));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return items;
}

ButtonMap ReadMap(const std::string& text, const ButtonMap& fallback) {
    if (text.empty()) return fallback;
    ButtonMap map = {};
    std::vector<std::string> codes = SplitList(text);
    for (size_t i = 0; i < codes.size() && i < sizeof map.entry; ++i) {
        unsigned long code = std::strtoul(codes[i].c_str(), nullptr, 0);
        map.entry[i] = static_cast<uint8_t>(code > 0xFF ? 0xFF : code);
    }
    return map;
}

AxisInfo ReadAxis(const DescriptionFile& file, const char* section, char axis, const AxisInfo& fallback, uint32_t unit,
                  uint32_t resolution) {
    char minKey[8], maxKey[8], resKey[16];
    wsprintfA(minKey, "%cMin", axis);
    wsprintfA(maxKey, "%cMax", axis);
    wsprintfA(resKey, "%cResolution", axis);
    AxisInfo info;
    info.minimum = file.Int(section, minKey, fallback.minimum);
    info.maximum = file.Int(section, maxKey, fallback.maximum);
    info.unitCode = unit;
    info.resolution = file.Resolution(section, resKey, resolution);
    return info;
}

CursorModel ReadCursor(const DescriptionFile& file, const char* section, size_t index) {
    CursorModel cursor = BuiltInCursor(index);
    cursor.name = file.Text(section, "Name", cursor.name);
    cursor.active = file.Flag(section, "Active", cursor.active);
    if (file.Has(section, "ButtonNames")) {
        cursor.buttonNames = SplitList(file.Text(section, "ButtonNames", ""));
        if (cursor.buttonNames.size() > kMaxButtons) cursor.buttonNames.resize(kMaxButtons);
        // An empty name would end the list early; keep the list readable.
        for (size_t i = 0; i < cursor.buttonNames.size(); ++i) {
            if (cursor.buttonNames[i].empty()) cursor.buttonNames[i] = "Button " + std::to_string(i);
        }
        cursor.buttonCount = static_cast<uint8_t>(cursor.buttonNames.size());
        if (!file.Has(section, "ButtonMap")) {
            cursor.defaultMap = ButtonMap{};
            for (size_t i = 0; i < cursor.buttonNames.size(); ++i) cursor.defaultMap.entry[i] = i == 0 ? 1 : 0;
        }
    }
    cursor.buttonCount = static_cast<uint8_t>(file.Number(section, "Buttons", cursor.buttonCount, 0, 255));
    cursor.defaultMap = ReadMap(file.Text(section, "ButtonMap", ""), cursor.defaultMap);
    cursor.map = cursor.defaultMap;
    return cursor;
}

DeviceModel ReadDevice(const DescriptionFile& file, size_t number) {
    char section[32];
    wsprintfA(section, "Device%u", static_cast<unsigned>(number));
    DeviceModel device = BuiltInDevice();
    device.name = file.Text(section, "Name", device.name);
    uint32_t unit = file.Unsigned(section, "Unit", device.axisX.unitCode);
    uint32_t resolution = file.Resolution(section, "Resolution", device.axisX.resolution);
    device.axisX = ReadAxis(file, section, 'X', device.axisX, unit, resolution);
    device.axisY = ReadAxis(file, section, 'Y', device.axisY, unit, resolution);
    uint32_t relative = file.Unsigned(section, "RelativeFields", 0);
    if (file.Flag(section, "RelativeX", false)) relative |= RelativeFieldX;
    if (file.Flag(section, "RelativeY", false)) relative |= RelativeFieldY;
    device.relativeFields = relative;
    device.firstCursorOverride = file.Number(section, "FirstCursor", -1, -1, UINT32_MAX);
    device.configDialog = file.Flag(section, "ConfigDialog", false);
    device.configRestart = file.Flag(section, "ConfigRestart", false);
    device.configChoice = static_cast<int>(file.Number(section, "ConfigChoice", 1, 0, 2));
    size_t cursors = static_cast<size_t>(file.Number(section, "Cursors", 2, 0, kMaxCursorsPerDevice));
    device.cursors.clear();
    for (size_t i = 0; i < cursors; ++i) {
        char cursorSection[48];
        wsprintfA(cursorSection, "Device%u.Cursor%u", static_cast<unsigned>(number), static_cast<unsigned>(i));
        device.cursors.push_back(ReadCursor(file, cursorSection, i));
    }
    return device;
}

// Record fields a description may set; everything else keeps the base.
void ReadContextFields(const DescriptionFile& file, const char* section, ContextRecord& r) {
    if (file.Has(section, "Name")) SetContextName(r, file.Text(section, "Name", "").c_str());
    r.options = file.Unsigned(section, "Options", r.options);
    r.status = file.Unsigned(section, "Status", r.status);
    r.locks = file.Unsigned(section, "Locks", r.locks);
    r.messageBase = file.Unsigned(section, "MessageBase", r.messageBase);
    r.packetRate = file.Unsigned(section, "PacketRate", r.packetRate);
    r.packetFields = file.Unsigned(section, "PacketFields", r.packetFields);
    r.packetMode = file.Unsigned(section, "PacketMode", r.packetMode);
    r.inOriginX = file.Int(section, "InOriginX", r.inOriginX);
    r.inOriginY = file.Int(section, "InOriginY", r.inOriginY);
    r.inExtentX = file.Int(section, "InExtentX", r.inExtentX);
    r.inExtentY = file.Int(section, "InExtentY", r.inExtentY);
    r.outOriginX = file.Int(section, "OutOriginX", r.outOriginX);
    r.outOriginY = file.Int(section, "OutOriginY", r.outOriginY);
    r.outExtentX = file.Int(section, "OutExtentX", r.outExtentX);
    r.outExtentY = file.Int(section, "OutExtentY", r.outExtentY);
    r.trackingMode = file.Unsigned(section, "TrackingMode", r.trackingMode);
    uint32_t sensitivity = file.Unsigned(section, "Sensitivity", r.sensitivityX);
    r.sensitivityX = file.Unsigned(section, "SensitivityX", sensitivity);
    r.sensitivityY =
        file.Unsigned(section, "SensitivityY", file.Has(section, "Sensitivity") ? sensitivity : r.sensitivityY);
}

ContextRecord ReadContext(const DescriptionFile& file, const TabletModel& tablet, const char* section,
                          uint32_t defaultDevice, const char* defaultName) {
    uint32_t device = file.Unsigned(section, "Device", defaultDevice);
    // A context may name a device that does not exist; its geometry then
    // comes from the built-in device.
    const DeviceModel base = device < tablet.devices.size() ? tablet.devices[device] : BuiltInDevice();
    ContextRecord record = SystemContextRecord(base, device, defaultName);
    ReadContextFields(file, section, record);
    record.device = device;
    return record;
}

}  // namespace

bool StartsWithNoCase(const char* text, const char* prefix) {
    size_t n = std::strlen(prefix);
    return std::strlen(text) >= n && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text, static_cast<int>(n),
                                                    prefix, static_cast<int>(n)) == CSTR_EQUAL;
}

std::string RepeatToLength(const std::string& text, size_t length) {
    std::string unit = text.empty() ? std::string("X") : text + " ";
    std::string result;
    result.reserve(length);
    while (result.size() < length) result += unit;
    result.resize(length);
    return result;
}

TabletModel ReadDescription(const std::string& path) {
    // Forget any cached copy, so a file rewritten by a test is read afresh.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    DescriptionFile file(path);
    TabletModel tablet;
    tablet.penOption = file.Flag("Tablet", "PenOption", false);
    size_t devices = static_cast<size_t>(file.Number("Tablet", "Devices", 1, 0, kMaxDevices));
    for (size_t d = 0; d < devices; ++d) tablet.devices.push_back(ReadDevice(file, d));
    NumberCursors(tablet);

    if (file.Has("Tablet", "Contexts")) {
        size_t contexts = static_cast<size_t>(file.Number("Tablet", "Contexts", 0, 0, kMaxSystemContexts));
        for (size_t i = 0; i < contexts; ++i) {
            char section[32], name[32];
            wsprintfA(section, "Context%u", static_cast<unsigned>(i));
            wsprintfA(name, "Context %u", static_cast<unsigned>(i));
            tablet.systemContexts.push_back(ReadContext(file, tablet, section, 0, name));
        }
    } else {
        for (size_t d = 0; d < tablet.devices.size(); ++d) {
            tablet.systemContexts.push_back(
                SystemContextRecord(tablet.devices[d], static_cast<uint32_t>(d), "Default System"));
        }
    }
    tablet.defaultContext = ReadContext(file, tablet, "DefaultContext", 0, "Default System");
    tablet.defaultSystemContext = ReadContext(file, tablet, "DefaultSystemContext", 0, "Default System");
    return tablet;
}

}  // namespace sim
