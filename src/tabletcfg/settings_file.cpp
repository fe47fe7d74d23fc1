// Writing and reading the tablet settings file. The reader checks the whole
// file against the device before the caller writes anything: any problem is
// reported with its line, and the first one found ends the reading.
#include "tabletcfg/settings_file.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "core/area_math.h"
#include "core/measure.h"
#include "core/sensitivity.h"
#include "tabletcfg/unicode_text.h"

namespace {

const char SectionTablet[] = "Tablet";
const char SectionTracking[] = "Tracking";
const char SectionCursors[] = "Cursors";
const char SectionPreferences[] = "Preferences";
const char CursorSectionPrefix[] = "Cursor ";
const char ButtonKeyPrefix[] = "Button";

const char* const ModeWords[] = {"Relative", "Absolute"};
const char* const UnitWords[] = {"Inches", "Centimeters"};

constexpr size_t LongestLine = 1024;
constexpr int CommentColumn = 24;
constexpr uint32_t MaximumPercent = 100;

// The keys of the fixed sections, each with the section it belongs to.
enum FixedKey {
    KeyIdentification,
    KeyWidth,
    KeyHeight,
    KeyMode,
    KeySensitivity,
    KeyAreaLeft,
    KeyAreaTop,
    KeyAreaRight,
    KeyAreaBottom,
    KeyEnabled,
    KeyUnits,
    FixedKeyCount
};

enum FixedSection { InTablet, InTracking, InCursors, InPreferences, FixedSectionCount };

const char* const FixedSectionNames[FixedSectionCount] = {SectionTablet, SectionTracking, SectionCursors,
                                                          SectionPreferences};

struct KeyInfo {
    const char* name;
    FixedSection section;
};

const KeyInfo FixedKeys[FixedKeyCount] = {
    {"Identification", InTablet}, {"Width", InTablet},      {"Height", InTablet},     {"Mode", InTracking},
    {"Sensitivity", InTracking},  {"AreaLeft", InTracking}, {"AreaTop", InTracking},  {"AreaRight", InTracking},
    {"AreaBottom", InTracking},   {"Enabled", InCursors},   {"Units", InPreferences},
};

bool SameIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
        char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

// The index of text among words, ignoring case; N when none matches.
template <size_t N>
size_t WordIndex(const std::string& text, const char* const (&words)[N]) {
    size_t i = 0;
    while (i < N && !SameIgnoringCase(text.c_str(), words[i])) ++i;
    return i;
}

bool StartsIgnoringCase(const char* text, const char* prefix, const char*& rest) {
    size_t n = std::strlen(prefix);
    if (std::strlen(text) < n) return false;
    std::string head(text, n);
    if (!SameIgnoringCase(head.c_str(), prefix)) return false;
    rest = text + n;
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A text as the file records it: control characters become blanks, and
// blanks at either end are dropped, so that it fits on one line and reads
// back as it was written.
std::string FileText(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        out += (c < 0x20 || c == 0x7F) ? ' ' : *p;
    }
    size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string Trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// A whole unsigned 32-bit number: decimal digits, or 0x and hexadecimal ones.
bool ParseNumber(const std::string& text, uint32_t& value) {
    uint64_t v = 0;
    size_t i = 0;
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i >= text.size()) return false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        v = v * base + digit;
        if (v > 0xFFFFFFFFu) return false;
    }
    value = static_cast<uint32_t>(v);
    return true;
}

std::string Measure(uint32_t count, int unit, unsigned kind, const AxisInfo& axis) {
    char text[MeasureTextSize] = "";
    FormatMeasureOnAxis(count, unit, kind, axis, text);
    return text;
}

class FileWriter {
public:
    void Line(const std::string& text) { out_ += text + "\r\n"; }
    void Blank() { out_ += "\r\n"; }
    void Section(const std::string& name) { Line("[" + name + "]"); }
    // key=value, and the comment lined up after it.
    void Value(const std::string& key, const std::string& value, const std::string& comment) {
        std::string line = key + "=" + value;
        if (!comment.empty()) {
            if (line.size() < CommentColumn - 1) line.append(CommentColumn - 1 - line.size(), ' ');
            line += " ; " + comment;
        }
        Line(line);
    }
    std::string Text() const { return out_; }

private:
    std::string out_;
};

std::string Number(uint32_t v) { return std::to_string(v); }

// An entry with bits above the action code (the pen option's form) is kept
// whole, in hexadecimal; a plain code is written as the code.
std::string ButtonEntry(uint8_t entry) {
    if ((entry & ~ActionCodeMask) == 0) return Number(entry);
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", entry);
    return text;
}

std::string ActionComment(uint8_t entry, const char* buttonName, const ActionNames& actionNames) {
    uint32_t code = entry & ActionCodeMask;
    std::string comment = FileText(buttonName);
    const char* action = code < ActionCodeCount && actionNames[code] ? actionNames[code] : nullptr;
    if (action) comment += (comment.empty() ? "" : ": ") + std::string(action);
    return comment;
}

int UnitOf(const TabletSettings& settings) { return settings.unit == UnitCentimetres ? UnitCentimetres : UnitInches; }

const char* ModeWord(const TabletSettings& settings) { return ModeWords[settings.mode != 0 ? 1 : 0]; }

SensitivityScale SensitivityScaleOf(const TabletScale& scale) {
    return MakeSensitivityScale(scale.axisX.resolution, scale.axisX.unitCode == AxisUnitCentimetres);
}

std::string PercentText(uint32_t sensitivity, const SensitivityScale& scale) {
    char percent[16];
    FormatPercent(SensitivityToPercentValue(sensitivity, scale), percent, sizeof percent);
    return percent;
}

// The area's edges in the order of their keys, AreaLeft to AreaBottom.
constexpr int EdgeCount = 4;
void AreaEdges(const TabletSettings& s, uint32_t edges[EdgeCount]) {
    const int32_t values[EdgeCount] = {s.left, s.top, s.right, s.bottom};
    for (int i = 0; i < EdgeCount; ++i) edges[i] = static_cast<uint32_t>(values[i]);
}

}  // namespace

const CursorSettings* FindCursor(const TabletSettings& settings, uint32_t number) {
    for (uint32_t i = 0; i < settings.cursorCount && i < FileCursorLimit; ++i)
        if (settings.cursors[i].number == number) return &settings.cursors[i];
    return nullptr;
}

void SensitivityBounds(const TabletScale& scale, uint32_t& lowest, uint32_t& highest) {
    const SensitivityScale s = SensitivityScaleOf(scale);
    lowest = PercentToSensitivityValue(1, s);
    highest = PercentToSensitivityValue(MaximumPercent, s);
}

uint32_t SensitivityForFile(uint32_t sensitivity, const TabletScale& scale) {
    if (!HasSensitivityScale(SensitivityScaleOf(scale))) return sensitivity;
    uint32_t lowest, highest;
    SensitivityBounds(scale, lowest, highest);
    if (sensitivity < lowest) return lowest;
    if (sensitivity > highest) return highest;
    return sensitivity;
}

std::string WriteSettingsFile(const TabletSettings& s, const TabletScale& scale, const ActionNames& actionNames) {
    const int unit = UnitOf(s);
    const std::string unitName = unit == UnitCentimetres ? "centimetres" : "inches";
    const uint32_t sensitivity = SensitivityForFile(s.sensitivity, scale);
    uint32_t lowest, highest;
    SensitivityBounds(scale, lowest, highest);

    FileWriter w;
    w.Line("; Tablet settings saved by tabletcfg. Values are in tablet counts; the");
    w.Line("; comments give them in " + unitName + ". Change values, not comments;");
    w.Line("; \"tabletcfg import FILE\" checks the whole file and puts it back.");
    w.Blank();
    w.Section(SectionTablet);
    w.Value("Identification", FileText(s.identification), "");
    w.Value("Width", Number(s.width), Measure(s.width, unit, KindLengthX, scale.axisX));
    w.Value("Height", Number(s.height), Measure(s.height, unit, KindLengthY, scale.axisY));
    w.Blank();
    w.Section(SectionTracking);
    w.Value("Mode", ModeWord(s), "Absolute or Relative");
    if (HasSensitivityScale(SensitivityScaleOf(scale))) {
        w.Value("Sensitivity", Number(sensitivity),
                PercentText(sensitivity, SensitivityScaleOf(scale)) + " (1% to 100%: " + Number(lowest) + " to " +
                    Number(highest) + ")");
    } else {
        w.Value("Sensitivity", Number(sensitivity), "no resolution: kept as the driver holds it");
    }
    uint32_t edges[EdgeCount];
    AreaEdges(s, edges);
    for (int i = 0; i < EdgeCount; ++i) {
        const bool vertical = (i % 2) != 0;
        w.Value(FixedKeys[KeyAreaLeft + i].name, Number(edges[i]),
                Measure(edges[i], unit, vertical ? KindLengthY : KindLengthX, vertical ? scale.axisY : scale.axisX));
    }
    w.Blank();
    w.Section(SectionCursors);
    const CursorSettings* enabled = FindCursor(s, s.enabledCursor);
    if (s.enabledCursor == NoEnabledCursor)
        w.Value("Enabled", "", "no cursor enabled");
    else
        w.Value("Enabled", Number(s.enabledCursor), enabled ? FileText(enabled->name) : "");
    w.Blank();
    w.Section(SectionPreferences);
    w.Value("Units", UnitWords[unit], "Inches or Centimeters");
    for (uint32_t c = 0; c < s.cursorCount && c < FileCursorLimit; ++c) {
        const CursorSettings& cursor = s.cursors[c];
        w.Blank();
        w.Section(CursorSectionPrefix + Number(cursor.number));
        w.Value("Name", FileText(cursor.name), "");
        for (uint32_t b = 0; b < cursor.buttonCount && b < FileButtonLimit; ++b) {
            char name[FileButtonNameSize + 1] = "";
            std::memcpy(name, cursor.buttonNames[b], FileButtonNameSize);
            w.Value(ButtonKeyPrefix + Number(b), ButtonEntry(cursor.map[b]),
                    ActionComment(cursor.map[b], name, actionNames));
        }
    }
    return w.Text();
}

namespace {

// The reading of one file: every line is checked as it comes; what must be
// seen as a whole (required keys, the area's order) is checked at the end.
class FileReader {
public:
    FileReader(const TabletSettings& device, const TabletScale& scale, TabletSettings& result, FileProblem& problem)
        : device_(device), scale_(scale), result_(result), problem_(problem) {}

    bool Read(const char* data, size_t size, AnsiFromUnicode toAnsi) {
        std::memset(&problem_, 0, sizeof problem_);
        if (size > SettingsFileLimit) return Fail(0, "the file is larger than 1 MB");
        if (size == 0) return Fail(0, "the file is empty");
        std::u16string wide;
        bool unicode = false;
        if (!ReadUnicode(data, size, wide, unicode)) return false;
        if (unicode) {
            // Control characters are looked for before the conversion, which
            // gives UnheldCharacter its own meaning.
            if (!CheckControls(wide.data(), wide.size(), "character U+", 4)) return false;
            converted_ = toAnsi(wide);
            data = converted_.data();
            size = converted_.size();
        } else if (!CheckControls(data, size, "byte 0x", 2)) {
            return false;
        }
        result_ = device_;
        size_t start = 0;
        line_ = 0;
        while (start < size) {
            size_t end = start;
            while (end < size && data[end] != '\n') ++end;
            ++line_;
            std::string text(data + start, end - start);
            if (!text.empty() && text.back() == '\r') text.pop_back();
            if (text.size() > LongestLine)
                return Fail(line_, "the line is longer than %u characters", static_cast<unsigned>(LongestLine));
            if (end == size && !CheckLastLine(text)) return false;
            if (!ReadLine(text)) return false;
            start = end + 1;
        }
        return CheckComplete();
    }

private:
    bool Fail(unsigned line, const char* format, ...) {
        problem_.line = line;
        va_list args;
        va_start(args, format);
        std::vsnprintf(problem_.text, sizeof problem_.text, format, args);
        va_end(args);
        return false;
    }

    static bool HasUtf16Mark(const char* data, size_t size) {
        return size >= 2 && (std::memcmp(data, "\xFF\xFE", 2) == 0 || std::memcmp(data, "\xFE\xFF", 2) == 0);
    }

    static bool HasUtf8Mark(const char* data, size_t size) {
        return size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0;
    }

    // The text of a file saved as Unicode, after its byte order mark: UTF-16
    // (Notepad's "Unicode" and "Unicode big endian"), UTF-8 with a mark, or
    // UTF-8 without one, told from ANSI by being well-formed UTF-8 with a
    // byte above ASCII. unicode is false for an ANSI (or plain ASCII) file.
    bool ReadUnicode(const char* data, size_t size, std::u16string& wide, bool& unicode) {
        unsigned line = 0;
        unicode = true;
        if (HasUtf16Mark(data, size)) {
            if (Utf16FromUtf16Bytes(data + 2, size - 2, data[0] == '\xFE', wide, line)) return true;
            return Fail(line, "the Unicode file ends in the middle of a character: it is cut short");
        }
        if (HasUtf8Mark(data, size)) {
            if (Utf16FromUtf8(data + 3, size - 3, wide, line)) return true;
            return Fail(line, "the file is marked as UTF-8 but this line is not: save the file again as UTF-8");
        }
        unicode = !IsAsciiText(data, size) && Utf16FromUtf8(data, size, wide, line);
        return true;
    }

    // A file may end without a line end (Notepad keeps a file as it is left);
    // when it is complete, it is read. But a number that ends the file with
    // no comment after it may be a longer number cut short, which would read
    // as another sound value: that alone is refused.
    bool CheckLastLine(const std::string& raw) {
        const std::string text = Trimmed(raw);
        const size_t equals = text.find('=');
        if (text.empty() || text[0] == ';' || text[0] == '#' || text[0] == '[' || equals == std::string::npos)
            return true;
        const std::string key = Trimmed(text.substr(0, equals));
        if (SameIgnoringCase(key.c_str(), FixedKeys[KeyIdentification].name) || SameIgnoringCase(key.c_str(), "Name"))
            return true;  // a name cut short no longer equals the tablet's
        const std::string value = Trimmed(text.substr(equals + 1));
        if (value.empty() || value[0] < '0' || value[0] > '9' || value.find(';') != std::string::npos) return true;
        return Fail(line_,
                    "the file ends in the middle of a line, right after the number %.20s: it may be cut short "
                    "(end the line, or keep its comment)",
                    value.c_str());
    }

    // A text file holds no control characters but tab, carriage return and
    // line feed; anything else means binary data or a damaged file.
    template <typename Unit>
    bool CheckControls(const Unit* data, size_t size, const char* what, int digits) {
        unsigned line = 1;
        for (size_t i = 0; i < size; ++i) {
            const unsigned c = static_cast<typename std::make_unsigned<Unit>::type>(data[i]);
            if (c == '\n')
                ++line;
            else if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
                return Fail(line, "binary data (%s%0*X): this is not a settings file", what, digits, c);
        }
        return true;
    }

    // What a line gives the reader: a name runs to the end of its line,
    // anything else to its comment. Comments are never read.
    static std::string UsedPart(const std::string& text) {
        const size_t equals = text.find('=');
        if (text[0] != '[' && equals != std::string::npos) {
            const std::string key = Trimmed(text.substr(0, equals));
            if (SameIgnoringCase(key.c_str(), FixedKeys[KeyIdentification].name) ||
                SameIgnoringCase(key.c_str(), "Name"))
                return text;
        }
        return text.substr(0, text.find(';'));
    }

    bool ReadLine(const std::string& raw) {
        const std::string text = Trimmed(raw);
        if (text.empty() || text[0] == ';' || text[0] == '#') return true;
        if (UsedPart(text).find(UnheldCharacter) != std::string::npos)
            return Fail(line_,
                        "a character of this line has no place in the system's code page: keep names as the "
                        "tablet gives them, or save the file as \"ANSI\"");
        if (text[0] == '[') return ReadSectionHeader(text);
        size_t equals = text.find('=');
        if (equals == std::string::npos)
            return Fail(line_, "\"%.60s\" is neither a [section] nor a key=value line", text.c_str());
        const std::string key = Trimmed(text.substr(0, equals));
        const std::string rest = Trimmed(text.substr(equals + 1));
        if (section_ == NoSection) return Fail(line_, "the key %.60s stands before any [section]", key.c_str());
        if (section_ == InCursorSection) return ReadCursorKey(key, rest);
        return ReadFixedKey(key, rest);
    }

    bool ReadSectionHeader(const std::string& text) {
        size_t close = text.find(']');
        if (close == std::string::npos) return Fail(line_, "the section name has no closing ]");
        const std::string after = Trimmed(text.substr(close + 1));
        if (!after.empty() && after[0] != ';') return Fail(line_, "text after the section name");
        const std::string name = Trimmed(text.substr(1, close - 1));
        const size_t s = WordIndex(name, FixedSectionNames);
        if (s < FixedSectionCount) {
            if (sectionLine_[s])
                return Fail(line_, "the section [%s] appears twice (first on line %u)", FixedSectionNames[s],
                            sectionLine_[s]);
            sectionLine_[s] = line_;
            section_ = static_cast<int>(s);
            return true;
        }
        const char* number;
        uint32_t cursor;
        if (StartsIgnoringCase(name.c_str(), CursorSectionPrefix, number) && ParseNumber(number, cursor)) {
            const CursorSettings* found = FindCursor(device_, cursor);
            if (!found) return Fail(line_, "this tablet has no cursor %u", cursor);
            cursor_ = static_cast<uint32_t>(found - device_.cursors);
            if (cursorLine_[cursor_])
                return Fail(line_, "the section [Cursor %u] appears twice (first on line %u)", cursor,
                            cursorLine_[cursor_]);
            cursorLine_[cursor_] = line_;
            section_ = InCursorSection;
            return true;
        }
        return Fail(line_, "unknown section [%.60s]", name.c_str());
    }

    bool ReadFixedKey(const std::string& key, const std::string& rest) {
        for (int k = 0; k < FixedKeyCount; ++k) {
            if (FixedKeys[k].section != section_ || !SameIgnoringCase(key.c_str(), FixedKeys[k].name)) continue;
            if (keyLine_[k])
                return Fail(line_, "%s appears twice in [%s] (first on line %u)", FixedKeys[k].name,
                            FixedSectionNames[section_], keyLine_[k]);
            keyLine_[k] = line_;
            return ReadFixedValue(static_cast<FixedKey>(k), k == KeyIdentification ? rest : ValuePart(rest));
        }
        return Fail(line_, "unknown key %.60s in [%s]", key.c_str(), FixedSectionNames[section_]);
    }

    // Numbers and words may be followed by a comment; names may not (they
    // may hold a semicolon), so they run to the end of the line.
    static std::string ValuePart(const std::string& rest) { return Trimmed(rest.substr(0, rest.find(';'))); }

    bool ReadCount(const std::string& value, const char* key, uint32_t& count) {
        if (ParseNumber(value, count)) return true;
        return Fail(line_, "%s must be a whole number of counts, not \"%.40s\"", key, value.c_str());
    }

    bool ReadFixedValue(FixedKey key, const std::string& value) {
        uint32_t n = 0;
        switch (key) {
        case KeyIdentification: {
            const std::string own = FileText(device_.identification);
            if (value != own)
                return Fail(line_, "the file is for the tablet \"%.60s\", this tablet is \"%.60s\"", value.c_str(),
                            own.c_str());
            return true;
        }
        case KeyWidth:
        case KeyHeight: {
            if (!ReadCount(value, FixedKeys[key].name, n)) return false;
            const uint32_t own = key == KeyWidth ? device_.width : device_.height;
            if (n != own)
                return Fail(line_, "the file is for a tablet %u counts %s, this tablet is %u", n,
                            key == KeyWidth ? "wide" : "high", own);
            return true;
        }
        case KeyMode: {
            const size_t m = WordIndex(value, ModeWords);
            if (m == std::size(ModeWords))
                return Fail(line_, "Mode must be Absolute or Relative, not \"%.40s\"", value.c_str());
            result_.mode = static_cast<uint32_t>(m);
            return true;
        }
        case KeySensitivity: {
            if (!ParseNumber(value, n))
                return Fail(line_, "Sensitivity must be a whole number, not \"%.40s\"", value.c_str());
            // A tablet without a resolution gives no percentage: Setup writes
            // no sensitivity there, and neither does import.
            if (!HasSensitivityScale(SensitivityScaleOf(scale_))) return true;
            uint32_t lowest, highest;
            SensitivityBounds(scale_, lowest, highest);
            if (n < lowest || n > highest)
                return Fail(line_, "Sensitivity %u is outside what Setup allows on this tablet (%u to %u, 1%% to 100%%)",
                            n, lowest, highest);
            result_.sensitivity = n;
            return true;
        }
        case KeyAreaLeft:
        case KeyAreaRight:
        case KeyAreaTop:
        case KeyAreaBottom: {
            if (!ReadCount(value, FixedKeys[key].name, n)) return false;
            const bool vertical = key == KeyAreaTop || key == KeyAreaBottom;
            const uint32_t limit = vertical ? device_.height : device_.width;
            if (n > limit) return Fail(line_, "%s %u is not on the tablet (0 to %u)", FixedKeys[key].name, n, limit);
            int32_t* const edges[EdgeCount] = {&result_.left, &result_.top, &result_.right, &result_.bottom};
            *edges[key - KeyAreaLeft] = static_cast<int32_t>(n);
            return true;
        }
        case KeyEnabled:
            // Saved with no cursor enabled: the one the device has enabled stays.
            if (value.empty()) return true;
            if (!ParseNumber(value, n))
                return Fail(line_, "Enabled must be a cursor number, not \"%.40s\"", value.c_str());
            if (!FindCursor(device_, n)) return Fail(line_, "this tablet has no cursor %u to enable", n);
            result_.enabledCursor = n;
            return true;
        case KeyUnits: {
            const size_t u = WordIndex(value, UnitWords);
            if (u == std::size(UnitWords))
                return Fail(line_, "Units must be Inches or Centimeters, not \"%.40s\"", value.c_str());
            result_.unit = static_cast<int>(u);
            return true;
        }
        case FixedKeyCount: break;
        }
        return true;
    }

    bool ReadCursorKey(const std::string& key, const std::string& rest) {
        const CursorSettings& own = device_.cursors[cursor_];
        CursorSettings& target = result_.cursors[cursor_];
        if (SameIgnoringCase(key.c_str(), "Name")) {
            if (nameLine_[cursor_])
                return Fail(line_, "Name appears twice in [Cursor %u] (first on line %u)", own.number,
                            nameLine_[cursor_]);
            nameLine_[cursor_] = line_;
            const std::string name = FileText(own.name);
            if (rest != name)
                return Fail(line_, "cursor %u is \"%.60s\" in the file but \"%.60s\" on this tablet", own.number,
                            rest.c_str(), name.c_str());
            return true;
        }
        const char* digits;
        uint32_t button;
        if (!StartsIgnoringCase(key.c_str(), ButtonKeyPrefix, digits) || !ParseNumber(digits, button) ||
            (digits[0] == '0' && digits[1] != '\0'))
            return Fail(line_, "unknown key %.60s in [Cursor %u]", key.c_str(), own.number);
        if (button >= own.buttonCount || button >= FileButtonLimit)
            return Fail(line_, "cursor %u (%.60s) has no button %u: it has %u", own.number, own.name, button,
                        own.buttonCount);
        if (buttonLine_[cursor_][button])
            return Fail(line_, "Button%u appears twice in [Cursor %u] (first on line %u)", button, own.number,
                        buttonLine_[cursor_][button]);
        buttonLine_[cursor_][button] = line_;
        const std::string value = ValuePart(rest);
        uint32_t entry;
        if (!ParseNumber(value, entry) || entry > 0xFF)
            return Fail(line_, "Button%u must be an action code, not \"%.40s\"", button, value.c_str());
        // An entry the driver holds now goes back as it is, even one the
        // action list does not name, so that every saved file can be put back.
        const uint32_t codes = scale_.penOption ? PenOptionCodeCount : ActionCodeCount;
        if ((entry & ActionCodeMask) >= codes && entry != own.map[button])
            return Fail(line_, "Button%u: the action list holds codes 0 to %u, not %u", button, codes - 1,
                        entry & ActionCodeMask);
        target.map[button] = static_cast<uint8_t>(entry);
        return true;
    }

    bool CheckComplete() {
        for (int s = 0; s < FixedSectionCount; ++s)
            if (!sectionLine_[s])
                return Fail(0, "the section [%s] is missing: the file is incomplete", FixedSectionNames[s]);
        for (int k = 0; k < FixedKeyCount; ++k)
            if (!keyLine_[k])
                return Fail(sectionLine_[FixedKeys[k].section], "%s is missing from [%s]: the file is incomplete",
                            FixedKeys[k].name, FixedSectionNames[FixedKeys[k].section]);
        // The same areas as Setup shows and writes: at least one step of its
        // area fields wide and high.
        const uint32_t step = AreaStep(scale_.axisX.resolution);
        if (!AreaAxisFits(result_.left, result_.right, device_.width, step))
            return Fail(keyLine_[KeyAreaRight], "AreaRight must lie right of AreaLeft, at least %u counts",
                        MinimumAreaExtent(step, device_.width));
        if (!AreaAxisFits(result_.top, result_.bottom, device_.height, step))
            return Fail(keyLine_[KeyAreaBottom], "AreaBottom must lie below AreaTop, at least %u counts",
                        MinimumAreaExtent(step, device_.height));
        for (uint32_t c = 0; c < device_.cursorCount && c < FileCursorLimit; ++c) {
            const CursorSettings& own = device_.cursors[c];
            if (!cursorLine_[c])
                return Fail(0, "the section [Cursor %u] is missing: the file is incomplete", own.number);
            if (!nameLine_[c])
                return Fail(cursorLine_[c], "Name is missing from [Cursor %u]: the file is incomplete", own.number);
            for (uint32_t b = 0; b < own.buttonCount && b < FileButtonLimit; ++b)
                if (!buttonLine_[c][b])
                    return Fail(cursorLine_[c], "Button%u is missing from [Cursor %u]: the file is incomplete", b,
                                own.number);
        }
        return true;
    }

    static constexpr int NoSection = -1;
    static constexpr int InCursorSection = FixedSectionCount;

    const TabletSettings& device_;
    const TabletScale& scale_;
    TabletSettings& result_;
    FileProblem& problem_;
    std::string converted_;  // the text of a Unicode file in the ANSI code page
    unsigned line_ = 0;
    int section_ = NoSection;
    uint32_t cursor_ = 0;  // index into the device's cursors
    unsigned sectionLine_[FixedSectionCount] = {};
    unsigned keyLine_[FixedKeyCount] = {};
    unsigned cursorLine_[FileCursorLimit] = {};
    unsigned nameLine_[FileCursorLimit] = {};
    unsigned buttonLine_[FileCursorLimit][FileButtonLimit] = {};
};

}  // namespace

bool ReadSettingsFile(const char* data, size_t size, const TabletSettings& device, const TabletScale& scale,
                      AnsiFromUnicode toAnsi, TabletSettings& result, FileProblem& problem) {
    FileReader reader(device, scale, result, problem);
    return reader.Read(data, size, toAnsi);
}

namespace {

void Change(std::string& out, const std::string& what, const std::string& before, const std::string& after) {
    if (before != after) out += what + ": " + before + " -> " + after + "\n";
}

std::string ActionText(uint8_t entry, const ActionNames& actionNames) {
    const uint32_t code = entry & ActionCodeMask;
    std::string text = ButtonEntry(entry);
    if (code < ActionCodeCount && actionNames[code]) text += std::string(" (") + actionNames[code] + ")";
    return text;
}

std::string CursorText(const TabletSettings& s, uint32_t number) {
    if (number == NoEnabledCursor) return "none";
    const CursorSettings* cursor = FindCursor(s, number);
    return Number(number) + (cursor ? " (" + FileText(cursor->name) + ")" : std::string());
}

}  // namespace

std::string DescribeChanges(const TabletSettings& before, const TabletSettings& after, const TabletScale& scale,
                            const ActionNames& actionNames) {
    const SensitivityScale sensitivityScale = SensitivityScaleOf(scale);
    auto sensitivityText = [&](uint32_t v) { return Number(v) + " (" + PercentText(v, sensitivityScale) + ")"; };
    std::string out;
    Change(out, "Mode", ModeWord(before), ModeWord(after));
    Change(out, "Sensitivity", sensitivityText(before.sensitivity), sensitivityText(after.sensitivity));
    uint32_t edgesBefore[EdgeCount], edgesAfter[EdgeCount];
    AreaEdges(before, edgesBefore);
    AreaEdges(after, edgesAfter);
    for (int i = 0; i < EdgeCount; ++i)
        Change(out, FixedKeys[KeyAreaLeft + i].name, Number(edgesBefore[i]), Number(edgesAfter[i]));
    Change(out, "Enabled", CursorText(before, before.enabledCursor), CursorText(after, after.enabledCursor));
    Change(out, "Units", UnitWords[UnitOf(before)], UnitWords[UnitOf(after)]);
    for (uint32_t c = 0; c < after.cursorCount && c < FileCursorLimit; ++c) {
        const CursorSettings& was = before.cursors[c];
        const CursorSettings& will = after.cursors[c];
        for (uint32_t b = 0; b < will.buttonCount && b < FileButtonLimit; ++b)
            Change(out, "Cursor " + CursorText(after, will.number) + " Button" + Number(b),
                   ActionText(was.map[b], actionNames), ActionText(will.map[b], actionNames));
    }
    return out;
}
