// The check that a profile text really holds the number the platform read.
#include <gtest/gtest.h>

#include "core/profile_value.h"

namespace {

struct Case {
    const char* text;
    long long value;
    bool expected;
};

TEST(ProfileNumberIs, AcceptsOnlyTheNumberWrittenWithinThirtyTwoBits) {
    const Case cases[] = {
        {"1", 1, true},
        {"2", 2, true},
        {"  2", 2, true},
        {"\t2", 2, true},
        {"+2", 2, true},
        {"002", 2, true},
        {"2abc", 2, true},   // the reader stops at the first non-digit
        {"2 ; note", 2, true},
        {"3", 2, false},
        {"12", 2, false},
        {"-2", 2, false},
        {"-2", -2, true},
        {"abc", 0, false},  // no digits at all
        {"", 0, false},
        {"+", 0, false},
        {"0x2", 2, false},  // hexadecimal is not a decimal 2
        {"4294967298", 2, false},  // wraps to 2 in a 32-bit reader
        {"4294967297", 1, false},
        {"-4294967294", 2, false},
        {"99999999999999999999999", 2, false},
        {"4294967295", 4294967295LL, true},
        {"4294967296", 0, false},
    };
    for (const Case& c : cases) EXPECT_EQ(ProfileNumberIs(c.text, c.value), c.expected) << "\"" << c.text << "\"";
}

TEST(ProfileNumberIs, NullTextHoldsNothing) { EXPECT_FALSE(ProfileNumberIs(nullptr, 0)); }

}  // namespace
