// Checks a number as the profile file holds it. Window-free.
#pragma once

// True when text, read the way the profile functions read a number (leading
// blanks, an optional sign, decimal digits, anything after them ignored),
// holds exactly value. A number beyond the 32-bit range never matches, so a
// value that the platform's reader wraps around to 1 or 2 is not taken for it.
bool ProfileNumberIs(const char* text, long long value);
