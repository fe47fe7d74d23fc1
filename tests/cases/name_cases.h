// Cases for the parsing of the driver's device name and for the templates.
// Plain data only.
#pragma once

#include <cstddef>

// The tables are laid out by hand, a case a line.
// clang-format off

namespace name_cases {

struct IdentificationCase {
    const char* name;
    const char* expected;
};

const IdentificationCase IdentificationCases[] = {
    {"Model A;Format: Wide;rest", "Model A"},
    {"Model A\r\nmore", "Model A"},
    {"Model A\nmore", "Model A"},
    {"No separator at all", "No separator at all"},
    {";leading", ""},
    {"", ""},
};

struct FoundCase {
    const char* name;
    bool found;
    const char* expected;
};

const FoundCase FormatCases[] = {
    {"Model A;Format: Wide;rest", true, "Wide"},
    {"Model A;format: narrow\r\n", true, "narrow"},
    {"Model A;Type 2, Format: Wide 2\nmore", true, "Wide 2"},
    {"Model A;Format: ;;Wide;x", true, "Wide"},
    {"Model Format: Wide;other", false, ""},
    {"Model A;Format: ", false, ""},
    {"Model A;Format: ;;;", false, ""},
    {"Model A;Format:Wide", false, ""},
    {"Model A", false, ""},
    {"", false, ""},
};

const FoundCase VersionCases[] = {
    {"Vellix Tablet Version 2.1; Format: Wide", true, "2.1"},
    {"driver version: 3.0", true, "3.0"},
    {"Version2.1 build 7", true, "build"},
    {"x,Version,,\t4.2,5", true, "4.2"},
    {"Model A", false, ""},
    {"Version", false, ""},
    {"Version \t;,", false, ""},
    {"", false, ""},
};

struct TemplateCase {
    const char* tmpl;
    const char* value;
    size_t outSize;
    const char* expected;
};

const TemplateCase TemplateCases[] = {
    {"%s format", "Wide", 80, "Wide format"},
    {"%s format", "unknown", 80, "unknown format"},
    {"Tablet Driver Version %s", "2.1", 80, "Tablet Driver Version 2.1"},
    {"%s is installed.", "Pen", 80, "Pen is installed."},
    {"only the first %s is filled: %s", "x", 80, "only the first x is filled: %s"},
    {"50% of %s", "x", 80, "50% of x"},
    {"%", "x", 80, "%"},
    {"no placeholder", "x", 80, "no placeholder"},
    {"%s format", "Wide", 5, "Wide"},
    {"%s format", "Wide", 1, ""},
    {"ab%s", "cdef", 4, "abc"},
    {"%s", nullptr, 80, ""},
};

struct SelectionCase {
    const char* name;
    const char* selection;
    bool contained;
};

const SelectionCase SelectionCases[] = {
    {"Vellix Pad A", "pad", true},
    {"vellix pad a", "VELLIX PAD A", true},
    {"Vellix Pad A", "", true},
    {"aab", "ab", true},
    {"abc", "abcd", false},
    {"", "a", false},
    {"Vellix Pad A", "C:\\tabletcp.exe", false},
};

}  // namespace name_cases
// clang-format on
