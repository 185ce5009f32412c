#include "StreamReader.h"

#include <algorithm>
#include <climits>

namespace hwd {

StreamReader::StreamReader(std::FILE* stream, std::uint64_t length) noexcept : stream_(stream), length_(length)
{
    startKnown_ = std::fgetpos(stream_, &start_) == 0;
}

std::size_t StreamReader::readAt(std::uint64_t offset, void* buffer, std::size_t size) noexcept
{
    return seek(offset) ? readOn(buffer, size) : 0;
}

std::size_t StreamReader::readOn(void* buffer, std::size_t size) noexcept
{
    const std::size_t read = std::fread(buffer, 1, size, stream_);
    position_ += read;
    return read;
}

// A move back goes by way of the start, as does any move after a refused one,
// which may have left the stream anywhere; a move forward is made in steps
// that a long holds.
bool StreamReader::seek(std::uint64_t offset) noexcept
{
    if (positionKnown_ && offset == position_)
        return true;
    if (!positionKnown_ || offset < position_) {
        if (!startKnown_ || std::fsetpos(stream_, &start_) != 0)
            return false;
        std::clearerr(stream_);
        position_ = 0;
        positionKnown_ = true;
    }
    while (position_ < offset) {
        const std::uint64_t step = std::min<std::uint64_t>(offset - position_, LONG_MAX);
        if (std::fseek(stream_, static_cast<long>(step), SEEK_CUR) != 0) {
            positionKnown_ = false;
            return false;
        }
        position_ += step;
    }
    return true;
}

std::uint64_t StreamReader::measureLength(std::FILE* stream) noexcept
{
    const long start = std::ftell(stream);
    if (start < 0 || std::fseek(stream, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(stream);
    if (std::fseek(stream, start, SEEK_SET) != 0 || end < start)
        return 0;
    return static_cast<std::uint64_t>(end - start);
}

} // namespace hwd
