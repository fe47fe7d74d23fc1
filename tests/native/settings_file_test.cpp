// tabletcfg's settings file: what it writes reads back as it was, and every
// kind of bad file is refused with its line and problem; and its command line.
#include "tabletcfg/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../cases/settings_file_cases.h"
#include "tabletcfg/arguments.h"

using namespace settings_file_cases;

namespace {

std::unique_ptr<TabletSettings> BuiltInTablet() {
    std::unique_ptr<TabletSettings> t(new TabletSettings());
    std::strcpy(t->identification, Identification);
    t->width = Width;
    t->height = Height;
    t->mode = 1;
    t->sensitivity = 0x8000;
    t->right = Width;
    t->bottom = Height;
    t->cursorCount = sizeof Cursors / sizeof Cursors[0];
    for (uint32_t c = 0; c < t->cursorCount; ++c) {
        CursorSettings& cursor = t->cursors[c];
        cursor.number = Cursors[c].number;
        std::strcpy(cursor.name, Cursors[c].name);
        cursor.buttonCount = Cursors[c].buttonCount;
        for (uint32_t b = 0; b < cursor.buttonCount; ++b) {
            std::strcpy(cursor.buttonNames[b], Cursors[c].buttonNames[b]);
            cursor.map[b] = Cursors[c].map[b];
        }
    }
    return t;
}

TabletScale InchScale(bool penOption = false) {
    const AxisInfo x = {0, static_cast<int32_t>(Width), AxisUnitInches, CountsPerInch << 16};
    const AxisInfo y = {0, static_cast<int32_t>(Height), AxisUnitInches, CountsPerInch << 16};
    return TabletScale{x, y, penOption};
}

bool Read(const std::string& text, const TabletSettings& device, const TabletScale& scale, TabletSettings& result,
          FileProblem& problem) {
    return ReadSettingsFile(text.data(), text.size(), device, scale, Cp1252FromUnicode, result, problem);
}

bool Same(const TabletSettings& a, const TabletSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(SettingsFile, ReadsBackWhatItWrote) {
    auto device = BuiltInTablet();
    auto result = BuiltInTablet();
    FileProblem problem;
    const std::string text = WriteSettingsFile(*device, InchScale(), ActionTexts);
    ASSERT_TRUE(Read(text, *device, InchScale(), *result, problem)) << problem.line << ": " << problem.text;
    EXPECT_TRUE(Same(*result, *device));
    EXPECT_NE(text.find("Width=12000             ; 12\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Button1=4               ; Lower Barrel: Right Click\r\n"), std::string::npos);

    // Every setting changed, the pen option's written form, centimetres:
    // a file of the changed settings read against the device gives them.
    auto changed = BuiltInTablet();
    changed->mode = 0;
    changed->sensitivity = 0x4000;
    changed->left = 1000;
    changed->top = 2000;
    changed->right = 7000;
    changed->bottom = 6500;
    changed->enabledCursor = 1;
    changed->unit = 1;
    changed->cursors[0].map[0] = 0x74;
    changed->cursors[1].map[3] = 9;
    const std::string changedText = WriteSettingsFile(*changed, InchScale(), ActionTexts);
    EXPECT_NE(changedText.find("AreaRight=7000          ; 17.78 cm\r\n"), std::string::npos) << changedText;
    EXPECT_NE(changedText.find("Button0=0x74"), std::string::npos);
    ASSERT_TRUE(Read(changedText, *device, InchScale(), *result, problem)) << problem.line << ": " << problem.text;
    EXPECT_TRUE(Same(*result, *changed));
}

TEST(SettingsFile, AcceptsWhatAPersonTypes) {
    auto device = BuiltInTablet();
    auto result = BuiltInTablet();
    FileProblem problem;
    // Another order, other letter case, blanks, comments, a byte order
    // mark, line feeds alone and numbers in hexadecimal.
    const std::string text =
        "\xEF\xBB\xBF# hand-made\n[cursor 1]\nname = Puck\nbutton3=0x9\nButton0=1\nButton1=7\nButton2=4\n"
        "[Cursor 0]\nButton2 = 2\nButton1=4 ; right\nButton0=1\nName=Pen\n[PREFERENCES] ; unit\nunits=centimeters\n"
        "[Cursors]\nEnabled=1\n[Tracking]\nAreaBottom=9000\nAreaRight=0x2EE0\nAreaTop=0\nAreaLeft=0\n"
        "Sensitivity=16384\nmode=relative\n[Tablet]\nHeight=9000\nWidth=12000\nIdentification=  Vellix PenPad 12x9  \n";
    ASSERT_TRUE(Read(text, *device, InchScale(), *result, problem)) << problem.line << ": " << problem.text;
    EXPECT_EQ(result->mode, 0u);
    EXPECT_EQ(result->sensitivity, 0x4000u);
    EXPECT_EQ(result->right, 12000);
    EXPECT_EQ(result->unit, 1);
    EXPECT_EQ(result->enabledCursor, 1u);
    EXPECT_EQ(result->cursors[1].map[3], 9);
}

// An edited file in every form Notepad saves reads as the edit, with
// “quotes” and € in a comment and in a name (code page 1252). A character
// the code page cannot hold is read past in a comment and refused in a name;
// Unicode cut inside a character is refused.
TEST(SettingsFile, ReadsTheFormsNotepadSaves) {
    auto device = BuiltInTablet();
    std::strcpy(device->cursors[1].name, "Puck \x93Pro\x94 \x80");
    auto result = BuiltInTablet();
    FileProblem problem;
    std::string edited = WriteSettingsFile(*device, InchScale(), ActionTexts);
    edited.replace(edited.find("Mode=Absolute"), 13, "Mode=Relative");
    edited.insert(0, "; \x93Kept\x94 for 20 \x80\r\n");
    auto expected = BuiltInTablet();
    std::strcpy(expected->cursors[1].name, device->cursors[1].name);
    expected->mode = 0;
    for (SavedForm form : SavedForms) {
        SCOPED_TRACE(form);
        ASSERT_TRUE(Read(SavedAs(edited, form), *device, InchScale(), *result, problem)) << problem.text;
        EXPECT_TRUE(Same(*result, *expected));
    }
    const std::string wide = SavedAs(edited, SavedUtf16LE);
    EXPECT_FALSE(Read(wide.substr(0, wide.size() - 1), *device, InchScale(), *result, problem));
    EXPECT_NE(std::strstr(problem.text, "in the middle of a character"), nullptr) << problem.text;
    const std::string euro("\xAC\x20", 2), rouble("\xBD\x20", 2);  // U+20AC, U+20BD
    std::string inComment = wide;
    inComment.replace(inComment.find(euro), 2, rouble);
    EXPECT_TRUE(Read(inComment, *device, InchScale(), *result, problem)) << problem.line << ": " << problem.text;
    std::string inName = wide;
    inName.replace(inName.rfind(euro), 2, rouble);
    EXPECT_FALSE(Read(inName, *device, InchScale(), *result, problem));
    EXPECT_EQ(problem.line, 32u);
    EXPECT_NE(std::strstr(problem.text, "save the file as \"ANSI\""), nullptr) << problem.text;
}

TEST(SettingsFile, RefusesEveryKindOfBadFile) {
    auto device = BuiltInTablet();
    auto result = BuiltInTablet();
    const std::string good = WriteSettingsFile(*device, InchScale(), ActionTexts);
    for (const BadFileCase& c : BadFileCases) {
        SCOPED_TRACE(c.name);
        const std::string text = MakeBadFile(good, c);
        ASSERT_FALSE(text.empty()) << "the case's text is not in the good file";
        FileProblem problem;
        ASSERT_FALSE(Read(text, *device, InchScale(c.penOption), *result, problem));
        EXPECT_EQ(problem.line, c.line) << problem.text;
        EXPECT_NE(std::strstr(problem.text, c.message), nullptr) << problem.text;
    }
}

TEST(SettingsFile, RefusesEmptyNulAndOversizedFiles) {
    auto device = BuiltInTablet();
    auto result = BuiltInTablet();
    FileProblem problem;
    const std::string good = WriteSettingsFile(*device, InchScale(), ActionTexts);
    EXPECT_FALSE(Read("", *device, InchScale(), *result, problem));
    EXPECT_STREQ(problem.text, "the file is empty");

    std::string withNul = good;
    withNul[good.find("Mode=") + 2] = '\0';
    EXPECT_FALSE(Read(withNul, *device, InchScale(), *result, problem));
    EXPECT_EQ(problem.line, 11u);
    EXPECT_NE(std::strstr(problem.text, "binary data (byte 0x00)"), nullptr);

    // Padded with comment lines: sound text, refused by its size alone.
    std::string large = good;
    while (large.size() <= SettingsFileLimit) large += "; padding padding padding padding padding\r\n";
    EXPECT_FALSE(Read(large, *device, InchScale(), *result, problem));
    EXPECT_EQ(problem.line, 0u);
    EXPECT_STREQ(problem.text, "the file is larger than 1 MB");
    large.resize(SettingsFileLimit);
    large.back() = '\n';
    EXPECT_TRUE(Read(large, *device, InchScale(), *result, problem)) << problem.text;

    std::string longLine = good + std::string(1100, ';') + "\r\n";
    EXPECT_FALSE(Read(longLine, *device, InchScale(), *result, problem));
    EXPECT_NE(std::strstr(problem.text, "longer than 1024"), nullptr);
}

TEST(SettingsFile, SensitivityIsKeptWithinWhatSetupWrites) {
    // 400 counts per centimetre: 100 percent is 0x64C9, and the stand-in's
    // fresh 0x8000 is recorded as that.
    TabletScale cm = InchScale();
    cm.axisX.unitCode = AxisUnitCentimetres;
    cm.axisX.resolution = 400 << 16;
    uint32_t lowest, highest;
    SensitivityBounds(cm, lowest, highest);
    EXPECT_EQ(highest, 0x64C9u);
    EXPECT_EQ(SensitivityForFile(0x8000, cm), 0x64C9u);
    EXPECT_EQ(SensitivityForFile(0, cm), lowest);
    EXPECT_EQ(SensitivityForFile(0x3264, cm), 0x3264u);
}

TEST(SettingsFile, DescribesWhatWouldChange) {
    auto before = BuiltInTablet();
    auto after = BuiltInTablet();
    EXPECT_EQ(DescribeChanges(*before, *after, InchScale(), ActionTexts), "");
    after->mode = 0;
    after->sensitivity = 0x4000;
    after->top = 100;
    after->enabledCursor = 1;
    after->unit = 1;
    after->cursors[1].map[1] = 0x74;
    EXPECT_EQ(DescribeChanges(*before, *after, InchScale(), ActionTexts),
              "Mode: Absolute -> Relative\n"
              "Sensitivity: 32768 (100%) -> 16384 (50%)\n"
              "AreaTop: 0 -> 100\n"
              "Enabled: 0 (Pen) -> 1 (Puck)\n"
              "Units: Inches -> Centimeters\n"
              "Cursor 1 (Puck) Button1: 7 (Middle Click) -> 0x74 (Right Click)\n");
}

TEST(CfgArguments, ReadsCommandsAndRefusesWhatMakesNoSense) {
    for (const ArgumentCase& c : ArgumentCases) {
        SCOPED_TRACE(c.words);
        std::vector<std::string> words = {"tabletcfg"};
        std::istringstream split(c.words);
        for (std::string word; split >> word;) words.push_back(word);
        std::vector<const char*> argv;
        for (const std::string& w : words) argv.push_back(w.c_str());
        CfgArguments arguments;
        std::string problem;
        const bool ok = ParseCfgArguments(static_cast<int>(argv.size()), argv.data(), arguments, problem);
        ASSERT_EQ(ok, c.command >= 0) << problem;
        if (!ok) {
            EXPECT_NE(problem.find(c.message), std::string::npos) << problem;
            continue;
        }
        EXPECT_EQ(static_cast<int>(arguments.command), c.command);
        EXPECT_EQ(arguments.unit, c.unit);
        EXPECT_EQ(arguments.dryRun, c.dryRun);
        EXPECT_STREQ(arguments.device, c.device);
        if (c.command != 0) {
            EXPECT_STREQ(arguments.file, c.file);
        }
    }
}
