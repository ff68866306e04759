// Reads values of every kind that the class interface takes from the bytes of
// a fuzz input. Past the end every value is 0, empty or false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mffuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool done() const { return pos_ >= size_; }
    uint8_t byte() { return done() ? 0 : data_[pos_++]; }
    bool flag() { return (byte() & 1) != 0; }
    /// 0 to n - 1.
    size_t below(size_t n) { return n == 0 ? 0 : byte() % n; }
    /// Mostly small values, -1 and 0 to 6; sometimes any 32 bits.
    int integer();
    /// Small sizes, the edges of 32 and 64 bits, or any 64 bits.
    size_t size();
    /// NaN, infinities, -0.0, the extremes, subnormals, plain values, or any bits.
    double real();
    /// Any bytes: a piece of the input, a long repetition, or a text from a
    /// list of the troublesome ones.
    std::string text();

private:
    uint64_t bits(int bytes);

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    size_t long_budget_ = 8192; ///< repetitions left for long texts
};

} // namespace mffuzz
