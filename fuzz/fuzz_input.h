// Reads a harness's input from the front: fixed little-endian fields, then
// the rest as text. Missing bytes read as zero, so every input is usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "defs/vellix_records.h"

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() {
        if (pos_ >= size_) return 0;
        return data_[pos_++];
    }
    uint32_t U32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    // An axis as the driver answers it: minimum, maximum, unit code, resolution.
    AxisInfo Axis() { return AxisInfo{I32(), I32(), U32(), U32()}; }
    double Real() {
        uint64_t bits = static_cast<uint64_t>(U32()) | (static_cast<uint64_t>(U32()) << 32);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    bool Empty() const { return pos_ >= size_; }

    // The rest as a NUL-terminated buffer (it may hold earlier NULs).
    std::vector<char> Text() {
        std::vector<char> text(data_ + pos_, data_ + size_);
        pos_ = size_;
        text.push_back('\0');
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
