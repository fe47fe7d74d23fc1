// The device name's identification, format and version, and templates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../cases/name_cases.h"
#include "core/name_parts.h"

using namespace name_cases;

TEST(Identification, CutsAtTheFirstSeparator) {
    for (const IdentificationCase& c : IdentificationCases) {
        SCOPED_TRACE(c.name);
        char out[200];
        CopyIdentification(c.name, out, sizeof out);
        EXPECT_STREQ(out, c.expected);
        EXPECT_EQ(IdentificationLength(c.name), std::strlen(c.expected));
    }
    char small[4];
    CopyIdentification("Model A;x", small, sizeof small);
    EXPECT_STREQ(small, "Mod");
    CopyIdentification(nullptr, small, sizeof small);
    EXPECT_STREQ(small, "");
}

TEST(FormatName, IsSearchedOnlyAfterTheFirstSeparator) {
    for (const FoundCase& c : FormatCases) {
        SCOPED_TRACE(c.name);
        char out[80];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(FindFormatName(c.name, out, sizeof out), c.found);
        EXPECT_STREQ(out, c.expected);
    }
    char small[3];
    EXPECT_TRUE(FindFormatName("M;Format: Wide", small, sizeof small));
    EXPECT_STREQ(small, "Wi");
}

TEST(DriverVersion, IsTheSecondPieceFromErsion) {
    for (const FoundCase& c : VersionCases) {
        SCOPED_TRACE(c.name);
        char out[80];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(FindDriverVersion(c.name, out, sizeof out), c.found);
        EXPECT_STREQ(out, c.expected);
    }
}

TEST(FillTemplate, ReplacesTheFirstPlaceholderWithinTheBuffer) {
    for (const TemplateCase& c : TemplateCases) {
        SCOPED_TRACE(c.tmpl);
        std::string out(c.outSize + 1, '#');
        FillTemplate(c.tmpl, c.value, &out[0], c.outSize);
        EXPECT_STREQ(out.c_str(), c.expected);
        EXPECT_EQ(out[c.outSize], '#');  // nothing written past the size
    }
}

TEST(FillTemplate, MakesTheInformationLines) {
    char format[80], line[80];
    if (!FindFormatName("Pad;Model 7", format, sizeof format)) std::strcpy(format, "unknown");
    FillTemplate("%s format", format, line, sizeof line);
    EXPECT_STREQ(line, "unknown format");
    ASSERT_TRUE(FindFormatName("Pad;Format: Wide;x", format, sizeof format));
    FillTemplate("%s format", format, line, sizeof line);
    EXPECT_STREQ(line, "Wide format");
}

TEST(Selection, IsContainedIgnoringCase) {
    for (const SelectionCase& c : SelectionCases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.selection);
        EXPECT_EQ(NameContainsSelection(c.name, c.selection), c.contained);
    }
}
