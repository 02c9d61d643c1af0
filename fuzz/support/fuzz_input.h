// The bytes of one fuzz input read as a sequence of choices: small numbers, flags, picks from a
// list, texts. Reading past the end yields zeros and empty texts, so every input is a valid
// program for a harness.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quelfi::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::size_t remaining() const { return size_ - at_; }

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | byte() << 8); }
    std::uint32_t number() { return word() | static_cast<std::uint32_t>(word()) << 16; }
    bool flag() { return byte() & 1; }
    // A value below `count` (count > 0).
    std::size_t below(std::size_t count) { return count ? word() % count : 0; }

    // Up to `most` bytes, the length read first.
    std::string text(std::size_t most) { return take(below(most + 1)); }
    // Exactly `count` bytes, or fewer at the end of the input.
    std::string take(std::size_t count);
    // Everything not read yet.
    std::string rest() { return take(remaining()); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

inline std::string FuzzInput::take(std::size_t count) {
    const std::size_t n = count < remaining() ? count : remaining();
    std::string out(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return out;
}

// Stops the process with a message when a harness's own check fails; the fuzzer records the input.
[[noreturn]] inline void violated(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s %s\n", what, detail.c_str());
    std::abort();
}

inline void check(bool holds, const char* what, const std::string& detail = {}) {
    if (!holds) violated(what, detail);
}

}  // namespace quelfi::fuzz
