// Parsing of the driver's device name into identification, format and
// version, and the filling of "%s" templates. Every output is bounded.
#include "core/name_parts.h"

#include <cctype>
#include <cstring>

namespace {

const char* const NameSeparators = ";\r\n";
const char* const VersionSeparators = " \t\r\n,;";

// Copies length characters of text into out, cut to fit, always terminated.
void CopyBounded(const char* text, size_t length, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    if (length > outSize - 1) length = outSize - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

void ClearOut(char* out, size_t outSize) {
    if (out != nullptr && outSize > 0) out[0] = '\0';
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

size_t IdentificationLength(const char* name) {
    return name == nullptr ? 0 : std::strcspn(name, NameSeparators);
}

void CopyIdentification(const char* name, char* out, size_t outSize) {
    if (name == nullptr) {
        ClearOut(out, outSize);
        return;
    }
    CopyBounded(name, IdentificationLength(name), out, outSize);
}

bool FindFormatName(const char* name, char* out, size_t outSize) {
    ClearOut(out, outSize);
    if (name == nullptr) return false;
    // Only the rest after the first separator is searched, so a format word
    // inside the identification itself does not count.
    const size_t idLength = IdentificationLength(name);
    if (name[idLength] == '\0') return false;
    const char* found = std::strstr(name + idLength + 1, "ormat: ");
    if (found == nullptr) return false;
    const char* start = found + std::strlen("ormat: ");
    start += std::strspn(start, NameSeparators);
    const size_t length = std::strcspn(start, NameSeparators);
    if (length == 0) return false;
    CopyBounded(start, length, out, outSize);
    return true;
}

bool FindDriverVersion(const char* name, char* out, size_t outSize) {
    ClearOut(out, outSize);
    if (name == nullptr) return false;
    const char* p = std::strstr(name, "ersion");
    if (p == nullptr) return false;
    // The first piece is the rest of the word (with whatever runs on into it);
    // the second piece is the version.
    p += std::strcspn(p, VersionSeparators);
    p += std::strspn(p, VersionSeparators);
    const size_t length = std::strcspn(p, VersionSeparators);
    if (length == 0) return false;
    CopyBounded(p, length, out, outSize);
    return true;
}

void FillTemplate(const char* tmpl, const char* value, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    if (tmpl == nullptr) tmpl = "";
    if (value == nullptr) value = "";
    size_t used = 0;
    bool filled = false;
    const auto put = [&](char c) {
        if (used + 1 < outSize) out[used++] = c;
    };
    for (const char* p = tmpl; *p != '\0'; ++p) {
        if (!filled && p[0] == '%' && p[1] == 's') {
            for (const char* v = value; *v != '\0'; ++v) put(*v);
            filled = true;
            ++p;
            continue;
        }
        put(*p);
    }
    out[used] = '\0';
}

bool NameContainsSelection(const char* name, const char* selection) {
    if (name == nullptr) name = "";
    if (selection == nullptr || selection[0] == '\0') return true;
    for (const char* start = name; *start != '\0'; ++start) {
        const char* n = start;
        const char* s = selection;
        while (*s != '\0' && *n != '\0' && Upper(*n) == Upper(*s)) {
            ++n;
            ++s;
        }
        if (*s == '\0') return true;
        if (*n == '\0') return false;  // the rest of the name is too short
    }
    return false;
}
