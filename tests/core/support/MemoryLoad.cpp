#include "MemoryLoad.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace hwd;

bool loadFromMemory(WaveFileLoader& loader, const WavBytes::Bytes& bytes)
{
    // An empty file needs a valid buffer address all the same.
    static unsigned char nothing = 0;
    void* buffer = bytes.empty() ? static_cast<void*>(&nothing) : const_cast<char*>(bytes.data());
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(::fmemopen(buffer, bytes.size(), "rb"),
                                                                 &std::fclose);
    if (!stream)
        throw std::runtime_error("fmemopen failed");
    return loader.load(stream.get());
}
