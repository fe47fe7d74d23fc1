// The text of a settings file saved as Unicode, as UTF-16 code units, for
// the conversion into the system's ANSI code page. Window-free.
#pragma once

#include <cstddef>
#include <string>

// UTF-16 after a byte order mark (data starts after it). False, with the
// 1-based line, when the text ends in the middle of a code unit.
bool Utf16FromUtf16Bytes(const char* data, size_t size, bool bigEndian, std::u16string& text, unsigned& line);

// UTF-8 (without its byte order mark). False, with the 1-based line, at the
// first byte that is not well-formed UTF-8: a stray or missing continuation
// byte, an overlong form, a surrogate or a value beyond U+10FFFF.
bool Utf16FromUtf8(const char* data, size_t size, std::u16string& text, unsigned& line);

// True when every byte is below 0x80: the same text in ANSI and in UTF-8.
bool IsAsciiText(const char* data, size_t size);
