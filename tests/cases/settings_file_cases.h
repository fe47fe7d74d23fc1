// Cases for tabletcfg's settings file: a tablet like the stand-in's built-in
// one, and files made from its own by one edit that the reader must refuse.
// Plain data and the one edit that makes a bad file; shared by the native
// tests, the Windows test and the fuzz seeds' maker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace settings_file_cases {

// The built-in tablet of the stand-in as its driver holds it when fresh.
const char Identification[] = "Vellix PenPad 12x9";
constexpr uint32_t Width = 12000, Height = 9000, CountsPerInch = 1000;
struct CursorCase {
    uint32_t number;
    const char* name;
    uint32_t buttonCount;
    const char* buttonNames[4];
    uint8_t map[4];
};
const CursorCase Cursors[] = {
    {0, "Pen", 3, {"Tip", "Lower Barrel", "Upper Barrel"}, {1, 4, 2}},
    {1, "Puck", 4, {"Left", "Middle", "Right", "Lower"}, {1, 7, 4, 2}},
};

const char* const ActionTexts[10] = {
    "(None)",     "Left Click",   "Left Double Click",   "Left Drag",  "Right Click", "Right Double Click",
    "Right Drag", "Middle Click", "Middle Double Click", "Middle Drag"};

// A file is the tablet's own file with the first occurrence of find replaced
// (an empty replace removes it), or, with cutThere, the file up to find,
// with replace and nothing more after it. line 0: the problem belongs to the whole file.
struct BadFileCase {
    const char* name;
    const char* find;
    const char* replace;
    bool cutThere;
    bool penOption;
    unsigned line;
    const char* message;  // a part of the problem's text
};

// The good file with the case's edit made: find replaced, or everything from
// find on replaced when cutThere. Empty when find is not in the file.
inline std::string MakeBadFile(const std::string& good, const BadFileCase& c) {
    std::string text = good;
    const size_t at = text.find(c.find);
    if (at == std::string::npos) return std::string();
    text.replace(at, c.cutThere ? std::string::npos : std::strlen(c.find), c.replace);
    return text;
}

const BadFileCase BadFileCases[] = {
    // a file for a different tablet
    {"other tablet", "PenPad 12x9", "MetricPad A4", false, false, 6, "for the tablet \"Vellix MetricPad A4\""},
    {"other width", "Width=12000", "Width=12700", false, false, 7, "12700 counts wide, this tablet is 12000"},
    {"other height", "Height=9000", "Height=8000", false, false, 8, "8000 counts high"},
    {"other cursor name", "Name=Puck", "Name=Mouse", false, false, 31, "\"Mouse\" in the file but \"Puck\""},
    // unknown sections and keys
    {"unknown section", "[Preferences]", "[Preference]", false, false, 21, "unknown section [Preference]"},
    {"unknown key", "Mode=", "Modus=", false, false, 11, "unknown key Modus in [Tracking]"},
    {"key of another section", "Enabled=0", "Units=Inches", false, false, 19, "unknown key Units in [Cursors]"},
    {"key before any section", "; Tablet settings", "Mode=Absolute\r\n;", false, false, 1, "before any [section]"},
    {"not a key", "Mode=Absolute", "Mode Absolute", false, false, 11, "neither a [section] nor a key=value"},
    {"unclosed section", "[Tracking]", "[Tracking", false, false, 10, "no closing ]"},
    {"button key with letters", "Button1=4", "ButtonB=4", false, false, 27, "unknown key ButtonB in [Cursor 0]"},
    // duplicates
    {"duplicate key", "AreaTop=0", "AreaLeft=0", false, false, 14,
     "AreaLeft appears twice in [Tracking] (first on line 13)"},
    {"duplicate key other case", "AreaTop=0", "arealeft=0", false, false, 14, "AreaLeft appears twice"},
    {"duplicate section", "[Cursors]", "[Tracking]", false, false, 18, "[Tracking] appears twice (first on line 10)"},
    {"duplicate cursor", "[Cursor 1]", "[Cursor 0]", false, false, 30, "[Cursor 0] appears twice (first on line 24)"},
    {"duplicate button", "Button1=4", "Button0=4", false, false, 27, "Button0 appears twice in [Cursor 0]"},
    {"duplicate name", "Button1=4", "Name=Pen", false, false, 27, "Name appears twice in [Cursor 0]"},
    // values out of range
    {"area right off the tablet", "AreaRight=12000", "AreaRight=12001", false, false, 15,
     "AreaRight 12001 is not on the tablet (0 to 12000)"},
    {"area bottom off the tablet", "AreaBottom=9000", "AreaBottom=9001", false, false, 16,
     "AreaBottom 9001 is not on the tablet (0 to 9000)"},
    {"area negative", "AreaLeft=0", "AreaLeft=-1", false, false, 13, "AreaLeft must be a whole number"},
    {"area beyond 32 bits", "AreaTop=0", "AreaTop=4294967296", false, false, 14, "AreaTop must be a whole number"},
    {"area empty", "AreaRight=12000", "AreaRight=0", false, false, 15, "AreaRight must lie right of AreaLeft"},
    {"area narrower than a step", "AreaRight=12000", "AreaRight=9", false, false, 15, "at least 10 counts"},
    {"area upside down", "AreaTop=0", "AreaTop=9000", false, false, 16, "AreaBottom must lie below AreaTop"},
    {"sensitivity above 100%", "Sensitivity=32768", "Sensitivity=32769", false, false, 12,
     "outside what Setup allows on this tablet (327 to 32768"},
    {"sensitivity 0", "Sensitivity=32768", "Sensitivity=0", false, false, 12, "Sensitivity 0 is outside"},
    {"sensitivity as percent", "Sensitivity=32768", "Sensitivity=100%", false, false, 12,
     "Sensitivity must be a whole number"},
    {"mode word", "Mode=Absolute", "Mode=Fast", false, false, 11, "Mode must be Absolute or Relative, not \"Fast\""},
    {"units word", "Units=Inches", "Units=Feet", false, false, 22, "Units must be Inches or Centimeters"},
    {"action code 10", "Button1=4", "Button1=10", false, false, 27, "codes 0 to 9, not 10"},
    {"pen option action 7", "Button1=4", "Button1=7", false, true, 27, "codes 0 to 6, not 7"},
    {"action beyond a byte", "Button1=4", "Button1=0x104", false, false, 27, "must be an action code"},
    {"button the cursor lacks", "Button2=2", "Button3=2", false, false, 28, "cursor 0 (Pen) has no button 3: it has 3"},
    {"cursor the tablet lacks", "[Cursor 1]", "[Cursor 2]", false, false, 30, "this tablet has no cursor 2"},
    {"enabled cursor the tablet lacks", "Enabled=0", "Enabled=5", false, false, 19, "no cursor 5 to enable"},
    // truncated, binary, missing parts
    {"cut in a line", "Height=9000", "Height=9", true, false, 8, "ends in the middle of a line"},
    {"cut inside the last number", "AreaBottom=9000", "AreaBottom=90", true, false, 16, "may be cut short"},
    {"cut after a line", "Button3=", "", true, false, 30, "Button3 is missing from [Cursor 1]"},
    {"missing key", "Mode=Absolute", "", false, false, 10, "Mode is missing from [Tracking]"},
    {"missing cursor", "[Cursor 1]", "", true, false, 0, "[Cursor 1] is missing"},
    {"missing section", "[Preferences]\r\nUnits=Inches", "", false, false, 0, "[Preferences] is missing"},
    {"binary byte", "Mode=Absolute", "Mode=Abs\001lute", false, false, 11, "binary data (byte 0x01)"},
};

// The characters code page 1252 (Windows, Western European) holds at 0x80
// to 0x9F, 0 where it holds none; its other bytes are their Unicode values.
const char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
inline char16_t UnicodeOf1252(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b;
}

// Unicode into code page 1252 as Windows converts it without best fit; a
// character the code page cannot hold becomes 0x7F (UnheldCharacter).
inline std::string Cp1252FromUnicode(const std::u16string& text) {
    std::string out;
    for (char16_t u : text) {
        char byte = u < 0x80 || (u >= 0xA0 && u <= 0xFF) ? static_cast<char>(u) : '\x7F';
        for (int i = 0; i < 32; ++i)
            if (u >= 0x80 && Cp1252High[i] == u) byte = static_cast<char>(0x80 + i);
        out += byte;
    }
    return out;
}

// The forms Notepad saves a code page 1252 file in: as it was, without the
// final line end, UTF-8 with and without a byte order mark, and "Unicode"
// (UTF-16 LE or BE with a mark). Each reads as the text itself.
enum SavedForm { SavedAsWritten, SavedWithoutFinalLineEnd, SavedUtf8Mark, SavedUtf8, SavedUtf16LE, SavedUtf16BE };
const SavedForm SavedForms[] = {SavedAsWritten, SavedWithoutFinalLineEnd, SavedUtf8Mark, SavedUtf8, SavedUtf16LE,
                                SavedUtf16BE};

inline std::string SavedAs(std::string text, SavedForm form) {
    if (form == SavedWithoutFinalLineEnd) text.resize(text.size() - 2);  // CR LF
    if (form == SavedAsWritten || form == SavedWithoutFinalLineEnd) return text;
    std::string out = form == SavedUtf8Mark  ? "\xEF\xBB\xBF"
                      : form == SavedUtf8    ? ""
                      : form == SavedUtf16LE ? "\xFF\xFE"
                                             : "\xFE\xFF";
    for (char c : text) {
        const char16_t u = UnicodeOf1252(c);
        if (form == SavedUtf16LE || form == SavedUtf16BE) {
            const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
            out += form == SavedUtf16LE ? std::string{low, high} : std::string{high, low};
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += {static_cast<char>(0xC0 | u >> 6), static_cast<char>(0x80 | (u & 0x3F))};
        } else {
            out += {static_cast<char>(0xE0 | u >> 12), static_cast<char>(0x80 | ((u >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (u & 0x3F))};
        }
    }
    return out;
}

}  // namespace settings_file_cases

namespace settings_file_cases {

// tabletcfg's command lines, the words after the program's name split at
// blanks; command -1 for a usage error, whose problem holds message.
struct ArgumentCase {
    const char* words;
    int command;  // CfgCommand, or -1
    const char* file;
    const char* device;
    int unit;
    bool dryRun;
    const char* message;
};

const ArgumentCase ArgumentCases[] = {
    {"info", 1, nullptr, nullptr, -1, false, ""},
    {"info --units cm --device Metric", 1, nullptr, "Metric", 1, false, ""},
    {"info --units in", 1, nullptr, nullptr, 0, false, ""},
    {"export a.ini --device Pad", 2, "a.ini", "Pad", -1, false, ""},
    {"import --dry-run a.ini", 3, "a.ini", nullptr, -1, true, ""},
    {"import a.ini --help", 0, "a.ini", nullptr, -1, false, ""},
    {"--help", 0, nullptr, nullptr, -1, false, ""},
    {"", -1, nullptr, nullptr, -1, false, "no command given"},
    {"show", -1, nullptr, nullptr, -1, false, "unknown command \"show\""},
    {"export", -1, nullptr, nullptr, -1, false, "export needs a FILE"},
    {"export a.ini b.ini", -1, nullptr, nullptr, -1, false, "unexpected \"b.ini\""},
    {"info a.ini", -1, nullptr, nullptr, -1, false, "unexpected \"a.ini\""},
    {"info --units mm", -1, nullptr, nullptr, -1, false, "--units takes in or cm, not \"mm\""},
    {"info --units", -1, nullptr, nullptr, -1, false, "--units needs in or cm"},
    {"info --units in --units cm", -1, nullptr, nullptr, -1, false, "--units is given twice"},
    {"export a.ini --units cm", -1, nullptr, nullptr, -1, false, "--units belongs to info"},
    {"export a.ini --dry-run", -1, nullptr, nullptr, -1, false, "--dry-run belongs to import"},
    {"import a.ini --device", -1, nullptr, nullptr, -1, false, "--device needs the text"},
    {"import a.ini --device A --device B", -1, nullptr, nullptr, -1, false, "--device is given twice"},
    {"import a.ini --force", -1, nullptr, nullptr, -1, false, "unknown option \"--force\""},
    {"INFO --UNITS CM --Device Pad", 1, nullptr, "Pad", 1, false, ""},
    {"Import A.ini --DRY-RUN", 3, "A.ini", nullptr, -1, true, ""},
    {"/?", 0, nullptr, nullptr, -1, false, ""},
    {"export a.ini -H", 0, "a.ini", nullptr, -1, false, ""},
};

}  // namespace settings_file_cases
