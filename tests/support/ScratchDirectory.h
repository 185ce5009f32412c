#pragma once

#include <filesystem>
#include <string_view>

// A fresh directory under the system's temporary directory, removed with all
// it holds when the object goes, so that tests write real files without
// leaving any behind.
class ScratchDirectory final {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }
    [[nodiscard]] std::filesystem::path file(const std::filesystem::path& name) const { return path_ / name; }

    // Writes bytes to a file of that name in the directory and returns its path.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};
