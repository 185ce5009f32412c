#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace hwd {

// Reads a stdio stream at any offset from where it stood when handed over,
// forward or back, with 64-bit offsets on every platform: a long, which fseek
// takes, has 32 bits on Windows. Does not own the stream.
class StreamReader final {
public:
    // length: the bytes from the stream's position to its end.
    StreamReader(std::FILE* stream, std::uint64_t length) noexcept;

    [[nodiscard]] std::uint64_t length() const noexcept { return length_; }

    // Reads up to size bytes at offset, fewer at the end of the stream or when
    // it fails; answers how many were read.
    [[nodiscard]] std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t size) noexcept;
    // The same where the last read ended.
    [[nodiscard]] std::size_t readOn(void* buffer, std::size_t size) noexcept;

    // The bytes from the stream's position to its end, found by seeking to the
    // end and back; 0 when the stream cannot seek.
    [[nodiscard]] static std::uint64_t measureLength(std::FILE* stream) noexcept;

private:
    [[nodiscard]] bool seek(std::uint64_t offset) noexcept;

    std::FILE* stream_;
    std::uint64_t length_;
    std::fpos_t start_{};
    bool startKnown_ = false;
    std::uint64_t position_ = 0;
    bool positionKnown_ = true;
};

} // namespace hwd
