// The system's file dialogs behind Open, Save Wave As, Open Bank and Save
// Bank As, driven from inside their own loops as a user fills them in: what
// they offer and what they answer. Their overwrite prompt is the system's own.
#include "support/DialogWatcher.h"
#include "support/TestWaves.h"

#include "tests/support/CaseNames.h"
#include "ui/win32/FileChooser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

// The common dialog's controls: the file name (an edit box, or the edit of
// a combo box, by the dialog's style) and the file type list.
constexpr int fileNameBoxes[] = {0x480, 0x47C};
constexpr int fileTypeList = 0x470;

HWND fileNameEdit(HWND dialog)
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            const int id = GetDlgCtrlID(child);
            if (lstrcmpiW(className, L"Edit") != 0 || (id != fileNameBoxes[0] && id != fileNameBoxes[1]))
                return TRUE;
            reinterpret_cast<Search*>(data)->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> listItems(HWND comboBox)
{
    std::vector<std::wstring> items;
    const auto count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t text[128] = {};
        SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void chooseFileType(HWND dialog, int index)
{
    const HWND types = GetDlgItem(dialog, fileTypeList);
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What a pick from the open list sends.
    for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(fileTypeList, notification), reinterpret_cast<LPARAM>(types));
}

void typeNameAndAccept(HWND dialog, const std::wstring& name)
{
    SetWindowTextW(fileNameEdit(dialog), name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

using Types = std::vector<std::wstring>;

// One Save dialog filled in: the type picked (-1: the one offered first), the
// name typed (empty: cancelled), what the dialog offered and what it answered.
struct SaveCase {
    const char* name;
    FileChooser::SaveTypes types;
    const wchar_t* title;
    int typeIndex;
    const wchar_t* typed;
    Types offeredTypes;
    const wchar_t* answer; // in the scratch folder; nullptr: nothing
};

class FileChooserSave : public testing::TestWithParam<SaveCase> {};

TEST_P(FileChooserSave, OffersItsTypesAndCompletesABareName)
{
    const SaveCase& row = GetParam();
    TestWaves::ScratchFolder scratch;
    DialogWatcher watcher;
    std::wstring offered;
    Types types;
    watcher.whenOpen(row.title, [&](HWND dialog) {
        offered = windowText(fileNameEdit(dialog));
        types = listItems(GetDlgItem(dialog, fileTypeList));
        if (row.typeIndex >= 0)
            chooseFileType(dialog, row.typeIndex);
        if (*row.typed == L'\0')
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        else
            typeNameAndAccept(dialog, (scratch.path() / row.typed).wstring());
    });
    const auto answer = FileChooser(nullptr).chooseSaveTarget(scratch.path() / L"square.wav", row.types);
    EXPECT_EQ(offered, L"square.wav");
    EXPECT_EQ(types, row.offeredTypes);
    EXPECT_EQ(answer, row.answer ? std::optional(scratch.path() / row.answer) : std::nullopt);
}

const Types waveTypes{L"WAV file (*.wav)", L"SysEx dump (*.syx)"};
const Types bankTypes{L"SysEx dump (*.syx)", L"WAV files in a folder (*.*)"};

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FileChooserSave,
    testing::Values(
        SaveCase{"WaveCancelled", FileChooser::SaveTypes::wave, L"Save Wave As", -1, L"", waveTypes, nullptr},
        SaveCase{"WaveAsWavByDefault", FileChooser::SaveTypes::wave, L"Save Wave As", -1, L"edited", waveTypes,
                 L"edited.wav"},
        SaveCase{"WaveAsDump", FileChooser::SaveTypes::wave, L"Save Wave As", 1, L"bank", waveTypes, L"bank.syx"},
        SaveCase{"BankAsDumpByDefault", FileChooser::SaveTypes::bank, L"Save Bank As", -1, L"bank", bankTypes,
                 L"bank.syx"},
        // The name names the folder: nothing is added to it.
        SaveCase{"BankAsFolder", FileChooser::SaveTypes::bank, L"Save Bank As", 1, L"waves", bankTypes, L"waves"}),
    CaseNames::byName);

// Where the dialog leaves a typed name bare, the chosen type decides.
TEST(FileChooserSaveType, CompletesOnlyABareName)
{
    using enum FileChooser::SaveTypes;
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 2), std::filesystem::path(L"C:\\waves\\bank.syx"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 1), std::filesystem::path(L"C:\\waves\\bank.wav"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank.wav", 2), std::filesystem::path(L"C:\\waves\\bank.wav"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves.d\\bank.txt", 1), std::filesystem::path(L"C:\\waves.d\\bank.txt"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 1, bank), std::filesystem::path(L"C:\\waves\\bank.syx"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 2, bank), std::filesystem::path(L"C:\\waves\\bank"));
}

struct OpenCase {
    const char* name;
    FileChooser::OpenTypes types;
    const wchar_t* title;
    Types offeredTypes;
};

class FileChooserOpen : public testing::TestWithParam<OpenCase> {};

TEST_P(FileChooserOpen, OffersItsTypesAndAnswersThePick)
{
    TestWaves::ScratchFolder scratch;
    const auto file = scratch.copyWave(TestWaves::saw, L"saw.wav");
    DialogWatcher watcher;
    Types types;
    watcher.whenOpen(GetParam().title, [&](HWND dialog) {
        types = listItems(GetDlgItem(dialog, fileTypeList));
        typeNameAndAccept(dialog, file.wstring());
    });
    EXPECT_EQ(FileChooser(nullptr).chooseFileToOpen(GetParam().types), file);
    EXPECT_EQ(types, GetParam().offeredTypes);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, FileChooserOpen,
    testing::Values(OpenCase{"Wave", FileChooser::OpenTypes::waveFiles, L"Open",
                             {L"WAV file (*.wav)", L"All files (*.*)"}},
                    OpenCase{"Bank", FileChooser::OpenTypes::waveFilesAndDumps, L"Open Bank",
                             {L"WAV file, SysEx dump (*.wav;*.syx)", L"WAV file (*.wav)", L"SysEx dump (*.syx)",
                              L"All files (*.*)"}}),
    CaseNames::byName);

} // namespace
