#include "TestWaves.h"

#include <windows.h>

#include <string>

namespace TestWaves {

std::filesystem::path file(std::wstring_view name)
{
    std::wstring program(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    program.resize(length);
    return std::filesystem::path(program).parent_path() / L"test-waves" / name;
}

namespace {

// Removes a folder and everything in it through the long-path form of its
// name, since the C runtime's calls stop at 260 characters.
void removeTree(const std::wstring& folder)
{
    const std::wstring prefixed = folder.rfind(L"\\\\?\\", 0) == 0 ? folder : L"\\\\?\\" + folder;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW((prefixed + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = prefixed + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(prefixed.c_str());
}

} // namespace

ScratchFolder::~ScratchFolder()
{
    removeTree(path().native());
}

std::filesystem::path ScratchFolder::copyWave(std::wstring_view wave, const std::filesystem::path& name) const
{
    const std::filesystem::path target = path() / name;
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(file(wave), target, std::filesystem::copy_options::overwrite_existing);
    return target;
}

} // namespace TestWaves
