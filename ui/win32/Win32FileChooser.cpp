#include "Win32FileChooser.h"

#include <commdlg.h>

#include <vector>

namespace hwd {

namespace {

// Room for the longest path the system takes (32,767 characters and the
// terminator): MAX_PATH would cut a deep folder's name.
constexpr std::size_t pathCapacity = 32768;

// The filter lists: description and pattern pairs, each ended by a null, the
// list by one more (the literal's own terminator).
constexpr wchar_t openFilter[] = L"WAV files (*.wav)\0*.wav\0All files (*.*)\0*.*\0";
constexpr wchar_t saveFilter[] = L"WAV file (*.wav)\0*.wav\0SysEx dump (*.syx)\0*.syx\0";
constexpr DWORD sysExFilterIndex = 2;

std::vector<wchar_t> pathBuffer(const std::wstring& initial = {})
{
    std::vector<wchar_t> buffer(pathCapacity, L'\0');
    if (initial.size() < pathCapacity)
        initial.copy(buffer.data(), initial.size());
    return buffer;
}

OPENFILENAMEW dialogRecord(HWND owner, const wchar_t* title, const wchar_t* filter, std::vector<wchar_t>& buffer)
{
    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.lpstrFilter = filter;
    record.nFilterIndex = 1;
    record.lpstrFile = buffer.data();
    record.nMaxFile = static_cast<DWORD>(buffer.size());
    record.lpstrTitle = title;
    return record;
}

} // namespace

std::optional<std::filesystem::path> Win32FileChooser::chooseFileToOpen()
{
    std::vector<wchar_t> buffer = pathBuffer();
    OPENFILENAMEW record = dialogRecord(owner_, openTitle, openFilter, buffer);
    record.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&record))
        return std::nullopt;
    return std::filesystem::path(buffer.data());
}

std::optional<std::filesystem::path> Win32FileChooser::chooseSaveTarget(const std::filesystem::path& suggested)
{
    std::vector<wchar_t> buffer = pathBuffer(suggested.filename().native());
    const std::wstring folder = suggested.parent_path().native();
    OPENFILENAMEW record = dialogRecord(owner_, saveTitle, saveFilter, buffer);
    record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The dialog appends the chosen file type's extension to a bare name; this
    // one stands when no type applies.
    record.lpstrDefExt = L"wav";
    record.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&record))
        return std::nullopt;
    return withSaveTypeExtension(buffer.data(), record.nFilterIndex);
}

std::filesystem::path withSaveTypeExtension(std::filesystem::path chosen, DWORD filterIndex)
{
    if (!chosen.has_extension())
        chosen += filterIndex == sysExFilterIndex ? L".syx" : L".wav";
    return chosen;
}

} // namespace hwd
