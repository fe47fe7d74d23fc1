// The settings record against the driver's context record, button maps and
// the lost-clicks warning, and the starting unit from the profile.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "../cases/settings_cases.h"
#include "core/unit_preference.h"

using namespace settings_cases;

namespace {

ContextRecord Patterned(uint8_t seed) {
    ContextRecord r;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&r);
    for (size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return r;
}

}  // namespace

TEST(DefaultSystemName, ComparesFourteenCharactersIgnoringCase) {
    for (const DefaultNameCase& c : DefaultNameCases) {
        SCOPED_TRACE(c.name);
        char name[40] = {};
        std::strncpy(name, c.name, sizeof name - 1);
        EXPECT_EQ(IsDefaultSystemName(name), c.matches);
    }
    char unterminated[40];
    std::memset(unterminated, 'x', sizeof unterminated);
    std::memcpy(unterminated, "DEFAULT system", 14);
    EXPECT_TRUE(IsDefaultSystemName(unterminated));
}

TEST(SettingsFromContext, FlipsYThroughTheTabletHeight) {
    ContextRecord r = Patterned(1);
    r.inOriginX = 1000;
    r.inOriginY = 2000;
    r.inExtentX = 4000;
    r.inExtentY = 3000;
    r.trackingMode = 1;
    r.sensitivityX = 0x8000;
    r.sensitivityY = 0x1234;
    SetupSettings s = {};
    SettingsFromContext(r, 12000, 9000, false, s);
    EXPECT_EQ(s.mode, 0u);
    EXPECT_EQ(s.sensitivity, 0x8000u);
    EXPECT_EQ(s.area.left, 1000);
    EXPECT_EQ(s.area.top, 4000);
    EXPECT_EQ(s.area.right, 5000);
    EXPECT_EQ(s.area.bottom, 7000);
    EXPECT_EQ(s.wholeTablet, 0u);
}

TEST(SettingsFromContext, ModeIsAbsoluteForTrackingModeZeroOrThePenOption) {
    ContextRecord r = Patterned(2);
    SetupSettings s = {};
    r.trackingMode = 0;
    SettingsFromContext(r, 100, 100, false, s);
    EXPECT_EQ(s.mode, 1u);
    r.trackingMode = 5;
    SettingsFromContext(r, 100, 100, false, s);
    EXPECT_EQ(s.mode, 0u);
    SettingsFromContext(r, 100, 100, true, s);
    EXPECT_EQ(s.mode, 1u);
}

TEST(SettingsFromContext, RecognisesTheWholeTablet) {
    ContextRecord r = Patterned(3);
    r.inOriginX = 0;
    r.inOriginY = 0;
    r.inExtentX = 12000;
    r.inExtentY = 9000;
    SetupSettings s = {};
    SettingsFromContext(r, 12000, 9000, false, s);
    EXPECT_EQ(s.wholeTablet, 1u);
    EXPECT_EQ(s.area.left, 0);
    EXPECT_EQ(s.area.top, 0);
    EXPECT_EQ(s.area.right, 12000);
    EXPECT_EQ(s.area.bottom, 9000);
    r.inExtentY = 8999;  // one count short at the top
    SettingsFromContext(r, 12000, 9000, false, s);
    EXPECT_EQ(s.wholeTablet, 0u);
    EXPECT_EQ(s.area.top, 1);
}

TEST(SettingsFromContext, AnAreaOffTheTabletIsBroughtOntoIt) {
    for (const DriverAreaCase& c : DriverAreaCases) {
        SCOPED_TRACE(c.name);
        ContextRecord r = Patterned(9);
        r.inOriginX = c.originX;
        r.inExtentX = c.extentX;
        r.inOriginY = c.originY;
        r.inExtentY = c.extentY;
        SetupSettings s = {};
        SettingsFromContext(r, c.W, c.H, false, s, c.step);
        EXPECT_EQ(s.area.left, c.left);
        EXPECT_EQ(s.area.top, c.top);
        EXPECT_EQ(s.area.right, c.right);
        EXPECT_EQ(s.area.bottom, c.bottom);
        EXPECT_EQ(s.wholeTablet, c.wholeTablet);
    }
}

TEST(SettingsToContext, WritesTheSevenFieldsAndKeepsTheRest) {
    SetupSettings s = {};
    s.mode = 0;
    s.sensitivity = 0x6000;
    s.area = {1000, 4000, 5000, 7000};
    const ContextRecord before = Patterned(4);
    ContextRecord r = before;
    SettingsToContext(s, 12000, 9000, r);
    EXPECT_EQ(r.trackingMode, 1u);
    EXPECT_EQ(r.sensitivityX, 0x6000u);
    EXPECT_EQ(r.sensitivityY, 0x6000u);
    EXPECT_EQ(r.inOriginX, 1000);
    EXPECT_EQ(r.inOriginY, 2000);
    EXPECT_EQ(r.inExtentX, 4000);
    EXPECT_EQ(r.inExtentY, 3000);
    EXPECT_EQ(0, std::memcmp(r.name, before.name, sizeof r.name));
    EXPECT_EQ(r.options, before.options);
    EXPECT_EQ(r.outExtentX, before.outExtentX);
    EXPECT_EQ(r.inOriginZ, before.inOriginZ);

    s.mode = 1;
    SettingsToContext(s, 12000, 9000, r);
    EXPECT_EQ(r.trackingMode, 0u);
}

TEST(SettingsToContext, TheWholeTabletIgnoresTheArea) {
    SetupSettings s = {};
    s.wholeTablet = 1;
    s.area = {10, 20, 30, 40};
    ContextRecord r = Patterned(5);
    SettingsToContext(s, 12000, 9000, r);
    EXPECT_EQ(r.inOriginX, 0);
    EXPECT_EQ(r.inOriginY, 0);
    EXPECT_EQ(r.inExtentX, 12000);
    EXPECT_EQ(r.inExtentY, 9000);
    // An axis without extent keeps the area the record holds: no extent of 0.
    const ContextRecord held = Patterned(7);
    r = held;
    SettingsToContext(s, 0, 9000, r);
    EXPECT_EQ(r.inOriginX, held.inOriginX);
    EXPECT_EQ(r.inExtentX, held.inExtentX);
    EXPECT_EQ(r.inExtentY, 9000);
}

TEST(SettingsToContext, RoundTripsThroughTheRecord) {
    const AreaBox areas[] = {{0, 0, 12000, 9000}, {1, 2, 3, 4}, {0, 8999, 12000, 9000}, {500, 0, 500, 0}};
    for (const AreaBox& area : areas) {
        SetupSettings s = {};
        s.area = area;
        s.sensitivity = 0x10000;
        ContextRecord r = Patterned(6);
        SettingsToContext(s, 12000, 9000, r);
        SetupSettings back = {};
        SettingsFromContext(r, 12000, 9000, false, back);
        EXPECT_EQ(back.area.left, area.left);
        EXPECT_EQ(back.area.top, area.top);
        EXPECT_EQ(back.area.right, area.right);
        EXPECT_EQ(back.area.bottom, area.bottom);
        EXPECT_EQ(back.sensitivity, 0x10000u);
    }
}

TEST(CopySettingsFields, CopiesExactlySevenFields) {
    const ContextRecord from = Patterned(10);
    const ContextRecord original = Patterned(200);
    ContextRecord to = original;
    CopySettingsFields(from, to);
    const size_t copied[][2] = {{offsetof(ContextRecord, inOriginX), 8},
                                {offsetof(ContextRecord, inExtentX), 8},
                                {offsetof(ContextRecord, trackingMode), 4},
                                {offsetof(ContextRecord, sensitivityX), 8}};
    const uint8_t* f = reinterpret_cast<const uint8_t*>(&from);
    const uint8_t* o = reinterpret_cast<const uint8_t*>(&original);
    const uint8_t* t = reinterpret_cast<const uint8_t*>(&to);
    for (size_t i = 0; i < sizeof to; ++i) {
        bool inCopied = false;
        for (const auto& range : copied) inCopied = inCopied || (i >= range[0] && i < range[0] + range[1]);
        EXPECT_EQ(t[i], inCopied ? f[i] : o[i]) << "byte " << i;
    }
}

TEST(TranslatePenCodes, RewritesCodesUpToSix) {
    ButtonMap map = {};
    const size_t n = sizeof PenCodeCases / sizeof PenCodeCases[0];
    for (size_t i = 0; i < n; ++i) map.entry[i] = PenCodeCases[i].entry;
    TranslatePenCodes(map);
    for (size_t i = 0; i < n; ++i)
        EXPECT_EQ(map.entry[i], PenCodeCases[i].written) << "entry " << std::hex << int(PenCodeCases[i].entry);
    for (size_t i = n; i < 32; ++i) EXPECT_EQ(map.entry[i], 0u);
}

TEST(SameButtonMap, ComparesLowNibblesInOrder) {
    ButtonMap a = {}, b = {};
    for (int i = 0; i < 32; ++i) a.entry[i] = b.entry[i] = static_cast<uint8_t>(i % 10);
    EXPECT_EQ(SameButtonMap(a, b), 0);
    b.entry[5] |= 0x70;  // high nibbles do not matter
    EXPECT_EQ(SameButtonMap(a, b), 0);
    b.entry[31] = 9;  // a.entry[31] is 1
    EXPECT_EQ(SameButtonMap(a, b), -1);
    EXPECT_EQ(SameButtonMap(b, a), 1);
    b.entry[2] = 0;  // the first difference decides
    EXPECT_EQ(SameButtonMap(a, b), 1);
    ButtonMap pen = a;
    TranslatePenCodes(pen);
    EXPECT_EQ(SameButtonMap(a, pen), 0);
}

TEST(LostClicks, MaskAndWarningFollowTheActions) {
    for (const LostClicksCase& c : LostClicksCases) {
        SCOPED_TRACE(c.name);
        ButtonMap map;
        std::memset(map.entry, 1, sizeof map.entry);  // beyond the entries: left clicks
        std::memcpy(map.entry, c.entries, sizeof c.entries);
        const uint32_t mask = LostClicksMask(map, c.buttonCount);
        EXPECT_EQ(mask, c.mask);
        EXPECT_EQ(LostClicksWarningString(mask), c.stringId);
    }
}

TEST(LostClicks, OnlyClicksTheOpenedMapHadCount) {
    for (const NewlyLostCase& c : NewlyLostCases) {
        ButtonMap opened = {}, fresh = {};
        std::memcpy(opened.entry, c.opened, sizeof c.opened);
        std::memcpy(fresh.entry, c.fresh, sizeof c.fresh);
        EXPECT_EQ(NewlyLostClicks(opened, fresh, 3), c.mask) << c.name;
    }
}

TEST(LostClicks, OnlyTheFirst32EntriesCount) {
    ButtonMap map = {};
    EXPECT_EQ(LostClicksMask(map, 1000), 7u);
    map.entry[31] = 4;
    EXPECT_EQ(LostClicksMask(map, 1000), 2u);
}

TEST(LostClicks, WarningStringForEachMask) {
    for (const WarningStringCase& c : WarningStringCases)
        EXPECT_EQ(LostClicksWarningString(c.mask), c.stringId) << c.mask;
}

TEST(UnitPreference, StoredUnitOrTheTabletsOwn) {
    for (const UnitPreferenceCase& c : UnitPreferenceCases)
        EXPECT_EQ(UnitFromProfileValue(c.profileValue, c.axisUnitCode), c.unit)
            << c.profileValue << " on unit code " << c.axisUnitCode;
}
