// tabletcfg's output: results on standard output, problems on standard error.
#include <cstdarg>
#include <cstdio>

#include "tabletcfg/tabletcfg.h"
#include "win/resources.h"

void PrintText(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void PrintError(const char* format, ...) {
    std::fputs("tabletcfg: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

std::string LoadText(UINT id) {
    char text[80] = "";
    LoadStringA(ResourceInstance(), id, text, sizeof text);
    return text;
}
