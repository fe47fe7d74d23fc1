// A settings file saved as Unicode, converted into the system's ANSI code
// page, the one the driver's names and the rest of tabletcfg are in.
#include "tabletcfg/tabletcfg.h"

std::string AnsiFromUnicodeText(const std::u16string& text) {
    if (text.empty()) return std::string();
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 code units");
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // No best fit: a character the code page lacks must not turn into a
    // look-alike that a name could then match. A UTF-8 ANSI code page holds
    // every character and takes neither the flag nor a default character.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char unheld[2] = {UnheldCharacter, '\0'};
    const char* fallback = utf8 ? nullptr : unheld;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, fallback, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, flags, wide, length, &out[0], size, fallback, nullptr);
    return out;
}
