// tabletcfg's output: results on standard output, problems on standard error,
// written so that they read as written. The program's texts are in the ANSI
// code page (the driver's names, the system's messages); a console is given
// them in Unicode, whatever code page it shows, and redirected output is
// recoded into the console's output code page, the one a program reading a
// console program's output expects (the ANSI one when there is no console).
#include <cstdarg>
#include <cstdio>

#include "tabletcfg/tabletcfg.h"
#include "win/resources.h"

namespace {

// Lines end in CR LF, as text files and consoles on Windows have them.
std::string WithWindowsLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::wstring WideFromAnsi(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], size);
    return wide;
}

std::string InCodePage(const std::wstring& wide, UINT codePage) {
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(codePage, 0, wide.data(), length, &out[0], size, nullptr, nullptr);
    return out;
}

void Write(DWORD which, const std::string& ansi) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || ansi.empty()) return;
    const std::string text = WithWindowsLineEnds(ansi);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = WideFromAnsi(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const UINT reader = GetConsoleOutputCP();
    const std::string bytes = reader == 0 || reader == GetACP() ? text : InCodePage(WideFromAnsi(text), reader);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void PrintText(const std::string& text) { Write(STD_OUTPUT_HANDLE, text); }

void PrintErrorText(const std::string& text) { Write(STD_ERROR_HANDLE, text); }

void PrintError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size(), format, again);
    va_end(again);
    va_end(args);
    text.resize(text.size() - 1);
    PrintErrorText("tabletcfg: " + text + "\n");
}

std::string LoadText(UINT id) {
    char text[80] = "";
    LoadStringA(ResourceInstance(), id, text, sizeof text);
    return text;
}
