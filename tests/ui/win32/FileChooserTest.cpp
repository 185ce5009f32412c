// The system's file dialogs behind Open and Save Wave As, driven from inside
// their own loops as a user fills them in: what they offer and what they
// answer. Their overwrite prompt is the system's own.
#include "support/DialogWatcher.h"
#include "support/TestWaves.h"

#include "ui/win32/FileChooser.h"

#include "app/FileTypes.h"

#include <gtest/gtest.h>

#include <string>

using namespace hwd;

namespace {

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

std::wstring title(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

const std::wstring openTitle = title(FileTypes::openTitle);
const std::wstring saveTitle = title(FileTypes::saveTitle);

void typeNameAndAccept(HWND dialog, const std::wstring& name)
{
    SetWindowTextW(fileNameEdit(dialog), name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(FileChooserSave, OffersTheSuggestedNameAndBothFileTypes)
{
    TestWaves::ScratchFolder scratch;
    DialogWatcher watcher;
    std::wstring offered;
    std::vector<std::wstring> types;
    watcher.whenOpen(saveTitle, [&](HWND dialog) {
        offered = windowText(fileNameEdit(dialog));
        types = listItems(GetDlgItem(dialog, fileTypeList));
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    FileChooser chooser(nullptr);
    EXPECT_EQ(chooser.chooseSaveTarget(scratch.path() / L"square.wav"), std::nullopt);
    EXPECT_EQ(offered, L"square.wav");
    EXPECT_EQ(types, (std::vector<std::wstring>{L"WAV file (*.wav)", L"SysEx dump (*.syx)"}));
}

TEST(FileChooserSave, ABareNameGetsTheChosenTypesExtension)
{
    TestWaves::ScratchFolder scratch;
    DialogWatcher watcher;
    watcher.whenOpen(saveTitle, [&](HWND dialog) {
        chooseFileType(dialog, 1);
        typeNameAndAccept(dialog, (scratch.path() / L"bank").wstring());
    });
    FileChooser chooser(nullptr);
    EXPECT_EQ(chooser.chooseSaveTarget(scratch.path() / L"square.wav"), scratch.path() / L"bank.syx");
}

TEST(FileChooserSave, ABareNameIsAWavFileByDefault)
{
    TestWaves::ScratchFolder scratch;
    DialogWatcher watcher;
    watcher.whenOpen(saveTitle,
                     [&](HWND dialog) { typeNameAndAccept(dialog, (scratch.path() / L"edited").wstring()); });
    FileChooser chooser(nullptr);
    EXPECT_EQ(chooser.chooseSaveTarget(scratch.path() / L"square.wav"), scratch.path() / L"edited.wav");
}

// Where the dialog leaves a typed name bare, the chosen type decides.
TEST(FileChooserSave, TheChosenTypeCompletesOnlyABareName)
{
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 2), std::filesystem::path(L"C:\\waves\\bank.syx"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank", 1), std::filesystem::path(L"C:\\waves\\bank.wav"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves\\bank.wav", 2), std::filesystem::path(L"C:\\waves\\bank.wav"));
    EXPECT_EQ(withSaveTypeExtension(L"C:\\waves.d\\bank.txt", 1), std::filesystem::path(L"C:\\waves.d\\bank.txt"));
}

TEST(FileChooserOpen, OffersWavFilesAndAnswersThePick)
{
    TestWaves::ScratchFolder scratch;
    const auto file = scratch.copyWave(TestWaves::saw, L"saw.wav");
    DialogWatcher watcher;
    std::vector<std::wstring> types;
    watcher.whenOpen(openTitle, [&](HWND dialog) {
        types = listItems(GetDlgItem(dialog, fileTypeList));
        typeNameAndAccept(dialog, file.wstring());
    });
    FileChooser chooser(nullptr);
    EXPECT_EQ(chooser.chooseFileToOpen(), file);
    EXPECT_EQ(types, (std::vector<std::wstring>{L"WAV file (*.wav)", L"All files (*.*)"}));
}

} // namespace
