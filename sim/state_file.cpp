// Keeps what the program writes to the driver (system contexts, the default
// contexts, button maps, enabled cursors, configuration choices) in a state
// file, an ini file of hexadecimal records, like a driver keeps its settings.
// Entries that do not fit the current tablet are ignored when read.
#include <cstring>

#include "stand_in.h"

namespace sim {

namespace {

std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Fills data only when the text is exactly size bytes of hexadecimal.
bool Unhex(const std::string& text, void* data, size_t size) {
    if (text.size() != size * 2) return false;
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    std::memcpy(data, bytes.data(), size);
    return true;
}

std::string ReadKey(const std::string& path, const char* section, const std::string& key) {
    char buffer[512] = {};
    GetPrivateProfileStringA(section, key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return buffer;
}

// WritePrivateProfileSectionA takes "key=value" pairs, each NUL-terminated,
// with one more NUL at the end.
class SectionText {
public:
    void Add(const std::string& key, const std::string& value) {
        text_ += key;
        text_ += '=';
        text_ += value;
        text_ += '\0';
    }
    void Write(const std::string& path, const char* section) {
        std::string all = text_;
        all += '\0';
        all += '\0';
        WritePrivateProfileSectionA(section, all.data(), path.c_str());
    }

private:
    std::string text_;
};

}  // namespace

std::string StatePathFor(const std::string& descriptionPath) {
    if (descriptionPath.empty()) return ModuleFolder() + "Vellix32.state";
    size_t slash = descriptionPath.find_last_of("\\/");
    size_t dot = descriptionPath.find_last_of('.');
    std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                           ? descriptionPath.substr(0, dot)
                           : descriptionPath;
    return stem + ".state";
}

void SaveState(Driver& d) {
    if (d.statePath.empty()) return;
    SectionText contexts;
    for (size_t i = 0; i < d.systemContexts.size(); ++i) {
        contexts.Add("System" + std::to_string(i), Hex(&d.systemContexts[i].record, sizeof(ContextRecord)));
    }
    contexts.Add("DefaultSystem", Hex(&d.defaultSystemContext.record, sizeof(ContextRecord)));
    contexts.Add("Default", Hex(&d.defaultContext.record, sizeof(ContextRecord)));
    contexts.Write(d.statePath, "Contexts");

    SectionText cursors;
    SectionText config;
    for (size_t dev = 0; dev < d.tablet.devices.size(); ++dev) {
        const DeviceModel& device = d.tablet.devices[dev];
        for (size_t i = 0; i < device.cursors.size(); ++i) {
            std::string number = std::to_string(uint64_t(device.firstCursor) + i);
            cursors.Add("Map" + number, Hex(&device.cursors[i].map, sizeof(ButtonMap)));
            cursors.Add("Active" + number, device.cursors[i].active ? "1" : "0");
        }
        config.Add("Choice" + std::to_string(dev), std::to_string(device.configChoice));
    }
    cursors.Write(d.statePath, "Cursors");
    config.Write(d.statePath, "Config");
    // Make the file complete now: another process (or a reload) reads it.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, d.statePath.c_str());
}

void LoadState(Driver& d) {
    if (d.statePath.empty() || GetFileAttributesA(d.statePath.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    const std::string& path = d.statePath;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    for (size_t i = 0; i < d.systemContexts.size(); ++i) {
        Unhex(ReadKey(path, "Contexts", "System" + std::to_string(i)), &d.systemContexts[i].record,
              sizeof(ContextRecord));
    }
    Unhex(ReadKey(path, "Contexts", "DefaultSystem"), &d.defaultSystemContext.record, sizeof(ContextRecord));
    Unhex(ReadKey(path, "Contexts", "Default"), &d.defaultContext.record, sizeof(ContextRecord));
    for (size_t dev = 0; dev < d.tablet.devices.size(); ++dev) {
        DeviceModel& device = d.tablet.devices[dev];
        for (size_t i = 0; i < device.cursors.size(); ++i) {
            std::string number = std::to_string(uint64_t(device.firstCursor) + i);
            Unhex(ReadKey(path, "Cursors", "Map" + number), &device.cursors[i].map, sizeof(ButtonMap));
            std::string active = ReadKey(path, "Cursors", "Active" + number);
            if (active == "0" || active == "1") device.cursors[i].active = active == "1";
        }
        std::string choice = ReadKey(path, "Config", "Choice" + std::to_string(dev));
        if (choice == "0" || choice == "1" || choice == "2") device.configChoice = choice[0] - '0';
    }
}

}  // namespace sim
