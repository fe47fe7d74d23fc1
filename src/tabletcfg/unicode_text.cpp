// Decoding the Unicode forms Notepad saves (UTF-16 of either byte order,
// UTF-8) into UTF-16 code units.
#include "tabletcfg/unicode_text.h"

#include <cstdint>

namespace {

// The length of a UTF-8 sequence from its lead byte and the smallest value
// it may carry (a smaller one is an overlong form); 0 for a byte that
// cannot lead one.
unsigned SequenceLength(unsigned char lead, uint32_t& smallest, uint32_t& value) {
    if (lead < 0x80) {
        value = lead;
        smallest = 0;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        value = lead & 0x1Fu;
        smallest = 0x80;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        value = lead & 0x0Fu;
        smallest = 0x800;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        value = lead & 0x07u;
        smallest = 0x10000;
        return 4;
    }
    return 0;
}

void AppendCodePoint(uint32_t value, std::u16string& text) {
    if (value < 0x10000) {
        text += static_cast<char16_t>(value);
        return;
    }
    value -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (value >> 10));
    text += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
}

}  // namespace

bool Utf16FromUtf16Bytes(const char* data, size_t size, bool bigEndian, std::u16string& text, unsigned& line) {
    text.clear();
    text.reserve(size / 2);
    line = 1;
    for (size_t i = 0; i < size; i += 2) {
        if (i + 1 == size) return false;
        const unsigned first = static_cast<unsigned char>(data[i]);
        const unsigned second = static_cast<unsigned char>(data[i + 1]);
        const char16_t unit = static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
        if (unit == u'\n') ++line;
        text += unit;
    }
    return true;
}

bool Utf16FromUtf8(const char* data, size_t size, std::u16string& text, unsigned& line) {
    text.clear();
    text.reserve(size);
    line = 1;
    for (size_t i = 0; i < size;) {
        uint32_t smallest = 0, value = 0;
        const unsigned length = SequenceLength(static_cast<unsigned char>(data[i]), smallest, value);
        if (length == 0 || size - i < length) return false;
        for (unsigned k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(data[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            value = value << 6 | (next & 0x3Fu);
        }
        if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        if (value == '\n') ++line;
        AppendCodePoint(value, text);
        i += length;
    }
    return true;
}

bool IsAsciiText(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80) return false;
    return true;
}
