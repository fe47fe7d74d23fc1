// Parsing of the driver's device name (identification, format, version),
// the "%s" templates and the selection match.
// Input: output buffer size, split position, then the name; the part after
// the split serves as template and as selection text.
#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "core/name_parts.h"
#include "fuzz_input.h"

namespace {

bool Contains(const std::string& haystack, const char* needle) {
    return haystack.find(needle) != std::string::npos;
}

std::string Upper(const char* s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const size_t outSize = 1 + in.Byte() % 200;
    const size_t split = in.Byte();
    std::vector<char> text = in.Text();
    const std::string name(text.data());
    const std::string tail = split < name.size() ? name.substr(split) : std::string();
    const std::string head = name.substr(0, split);

    // Every output buffer is exactly outSize bytes, so an overrun is caught.
    std::unique_ptr<char[]> out(new char[outSize]);
    const auto terminated = [&] { return std::memchr(out.get(), '\0', outSize) != nullptr; };

    CopyIdentification(head.c_str(), out.get(), outSize);
    FUZZ_CHECK(terminated());
    FUZZ_CHECK(std::strpbrk(out.get(), ";\r\n") == nullptr);
    FUZZ_CHECK(head.compare(0, std::strlen(out.get()), out.get()) == 0);
    FUZZ_CHECK(IdentificationLength(head.c_str()) <= head.size());

    if (FindFormatName(name.c_str(), out.get(), outSize)) {
        FUZZ_CHECK(terminated() && (out[0] != '\0' || outSize == 1));
        FUZZ_CHECK(std::strpbrk(out.get(), ";\r\n") == nullptr);
        FUZZ_CHECK(Contains(name, out.get()));
        FUZZ_CHECK(Contains(name, "ormat: "));
    } else {
        FUZZ_CHECK(out[0] == '\0');
    }

    if (FindDriverVersion(name.c_str(), out.get(), outSize)) {
        FUZZ_CHECK(terminated() && (out[0] != '\0' || outSize == 1));
        FUZZ_CHECK(std::strpbrk(out.get(), " \t\r\n,;") == nullptr);
        FUZZ_CHECK(Contains(name, out.get()));
    } else {
        FUZZ_CHECK(out[0] == '\0');
    }

    FillTemplate(tail.c_str(), head.c_str(), out.get(), outSize);
    FUZZ_CHECK(terminated());
    if (tail.find("%s") == std::string::npos && tail.size() < outSize)
        FUZZ_CHECK(tail == out.get());

    const bool contained = NameContainsSelection(head.c_str(), tail.c_str());
    FUZZ_CHECK(contained == (Upper(head.c_str()).find(Upper(tail.c_str())) != std::string::npos));
    return 0;
}
