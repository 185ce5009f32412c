#include "ScratchDirectory.h"

#include "FileBytes.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

ScratchDirectory::ScratchDirectory()
{
    // A random name, taken only if nobody holds it yet: tests run side by
    // side, and wine hands out the same process ids run after run.
    std::mt19937_64 random(std::random_device{}()
                           ^ static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            std::filesystem::temp_directory_path() / ("hwd-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch directory");
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDirectory::write(const std::filesystem::path& name, std::string_view bytes) const
{
    const std::filesystem::path target = file(name);
    FileBytes::write(target, bytes);
    return target;
}
