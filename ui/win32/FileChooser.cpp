#include "FileChooser.h"

#include "TextConversion.h"
#include "app/FileTypes.h"

#include <commdlg.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace hwd {

namespace {

// Room for the longest path the system takes (32,767 characters and the
// terminator): MAX_PATH would cut a deep folder's name.
constexpr std::size_t pathCapacity = 32768;
// The second type of each Save dialog: a wave's SysEx dump, a bank's folder.
constexpr DWORD secondFilterIndex = 2;

using FileType = std::pair<std::string, const wchar_t*>;

// A filter list: "name (pattern)" and pattern pairs, each ended by a null,
// the list by one more (the string's own terminator).
std::wstring filterList(std::initializer_list<FileType> types)
{
    std::wstring list;
    for (const auto& [name, pattern] : types) {
        list += TextConversion::widenUtf8(name) + L" (" + pattern + L')';
        list += L'\0';
        list += pattern;
        list += L'\0';
    }
    return list;
}

std::wstring openFilter(FileChooser::OpenTypes types)
{
    if (types == FileChooser::OpenTypes::waveFiles)
        return filterList({{FileTypes::wavFile, L"*.wav"}, {FileTypes::allFiles, L"*.*"}});
    return filterList({{std::string(FileTypes::wavFile) + ", " + FileTypes::sysExDump, L"*.wav;*.syx"},
                       {FileTypes::wavFile, L"*.wav"},
                       {FileTypes::sysExDump, L"*.syx"},
                       {FileTypes::allFiles, L"*.*"}});
}

std::vector<wchar_t> pathBuffer(const std::wstring& initial = {})
{
    std::vector<wchar_t> buffer(pathCapacity, L'\0');
    if (initial.size() < pathCapacity)
        initial.copy(buffer.data(), initial.size());
    return buffer;
}

OPENFILENAMEW dialogRecord(HWND owner, const std::wstring& title, const std::wstring& filter,
                           std::vector<wchar_t>& buffer)
{
    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = 1;
    record.lpstrFile = buffer.data();
    record.nMaxFile = static_cast<DWORD>(buffer.size());
    record.lpstrTitle = title.c_str();
    return record;
}

} // namespace

std::optional<std::filesystem::path> FileChooser::chooseFileToOpen(OpenTypes types)
{
    const std::wstring title =
        TextConversion::widenUtf8(types == OpenTypes::waveFiles ? FileTypes::openTitle : FileTypes::openBankTitle);
    const std::wstring filter = openFilter(types);
    std::vector<wchar_t> buffer = pathBuffer();
    OPENFILENAMEW record = dialogRecord(owner_, title, filter, buffer);
    record.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&record))
        return std::nullopt;
    return std::filesystem::path(buffer.data());
}

std::optional<std::filesystem::path> FileChooser::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                   SaveTypes types)
{
    const bool bank = types == SaveTypes::bank;
    const std::wstring title = TextConversion::widenUtf8(bank ? FileTypes::saveBankTitle : FileTypes::saveTitle);
    const std::wstring filter =
        bank ? filterList({{FileTypes::sysExDump, L"*.syx"}, {FileTypes::waveFolder, L"*.*"}})
             : filterList({{FileTypes::wavFile, L"*.wav"}, {FileTypes::sysExDump, L"*.syx"}});
    std::vector<wchar_t> buffer = pathBuffer(suggested.filename().native());
    const std::wstring folder = suggested.parent_path().native();
    OPENFILENAMEW record = dialogRecord(owner_, title, filter, buffer);
    record.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The dialog appends the chosen file type's extension to a bare name, so
    // that its overwrite prompt asks about the file that will be written; this
    // one stands when the type has none (*.*). A bank's folder takes none:
    // the empty one.
    record.lpstrDefExt = bank ? L"" : L"wav";
    // The prompt only ever asks about a file: the name of an existing folder
    // opens that folder in the dialog, as the system does everywhere.
    record.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&record))
        return std::nullopt;
    return withSaveTypeExtension(buffer.data(), record.nFilterIndex, types);
}

std::filesystem::path withSaveTypeExtension(std::filesystem::path chosen, DWORD filterIndex,
                                            FileChooser::SaveTypes types)
{
    if (chosen.has_extension())
        return chosen;
    const bool secondType = filterIndex == secondFilterIndex;
    if (types == FileChooser::SaveTypes::wave)
        chosen += secondType ? L".syx" : L".wav";
    else if (!secondType)
        chosen += L".syx";
    return chosen;
}

} // namespace hwd
