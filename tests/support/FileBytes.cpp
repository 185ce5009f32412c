#include "FileBytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace FileBytes {

void write(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush())
        throw std::runtime_error("cannot write test file " + path.string());
}

void write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    write(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string read(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

} // namespace FileBytes
