// Checks a number as the profile file holds it.
#include "core/profile_value.h"

#include <cstdint>

bool ProfileNumberIs(const char* text, long long value) {
    if (text == nullptr) return false;
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    const uint64_t limit = 0xFFFFFFFFull;
    uint64_t magnitude = 0;
    bool digits = false;
    for (; *text >= '0' && *text <= '9'; ++text) {
        digits = true;
        magnitude = magnitude * 10 + static_cast<uint64_t>(*text - '0');
        if (magnitude > limit) return false;
    }
    if (!digits) return false;
    long long number = static_cast<long long>(magnitude);
    return (negative ? -number : number) == value;
}
