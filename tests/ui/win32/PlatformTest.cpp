// What the program's module gives the process: the common controls of version
// 6 (through its manifest), the version resource with the project's version,
// icon 128, and the NT-family check.
#include "ui/win32/MainDialog.h"

#include "support/MainDialogHarness.h"
#include "RecordingController.h"
#include "Version.h"
#include "app/ResourceIds.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

using namespace hwd;

namespace {

// Wine 8's comctl32 answers DllGetVersion with 5.81 in both of its forms, so
// version 6 shows itself by where the library comes from and by what only its
// controls do.
std::wstring moduleFile(HMODULE module)
{
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(module, name, MAX_PATH);
    std::wstring lower = name;
    CharLowerW(lower.data());
    return lower;
}

TEST(CommonControls, TheManifestLoadsTheVersion6Assembly)
{
    const std::wstring comctl32 = moduleFile(GetModuleHandleW(L"comctl32.dll"));
    EXPECT_NE(comctl32.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << "comctl32 loaded from " << std::string(comctl32.begin(), comctl32.end());
}

TEST(CommonControls, TheDialogsButtonsAreVersion6Buttons)
{
    RecordingController controller;
    MainDialogHarness harness(controller);
    const HWND quit = harness.control(IDCANCEL);
    HMODULE procedureModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(quit, GWLP_WNDPROC)), &procedureModule);
    EXPECT_EQ(procedureModule, GetModuleHandleW(L"comctl32.dll"));
    // Only version 6 buttons know their ideal size; the old ones answer FALSE.
    SIZE ideal{};
    EXPECT_TRUE(SendMessageW(quit, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
}

TEST(PlatformCheck, WineReportsTheNTFamilyAndTheMainDialogSettlesTheFlag)
{
    EXPECT_TRUE(platformIsWindowsNT());
    setWindowsNT(false);
    RecordingController controller;
    Waveshape wave;
    const MainDialog dialog(controller, wave);
    EXPECT_TRUE(isWindowsNT());
    EXPECT_EQ(dialog.window(), nullptr);
}


std::vector<char> versionResource()
{
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    if (found == nullptr)
        return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    // VerQueryValue wants a writable copy.
    return std::vector<char>(data, data + SizeofResource(nullptr, found));
}

std::wstring versionString(std::vector<char>& resource, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueW(resource.data(), path.c_str(), &value, &length) || length == 0)
        return {};
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResource, CarriesTheProjectVersionAndNames)
{
    std::vector<char> resource = versionResource();
    ASSERT_FALSE(resource.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(resource.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010003u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010003u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);

    EXPECT_EQ(versionString(resource, L"FileDescription"), L"Harlix Wave Dump");
    EXPECT_EQ(versionString(resource, L"ProductName"), L"Harlix Wave Dump");
    EXPECT_EQ(versionString(resource, L"InternalName"), L"HarlixWaveDump");
    EXPECT_EQ(versionString(resource, L"FileVersion"), L"1.3.0.0");
    EXPECT_EQ(versionString(resource, L"ProductVersion"), L"1.3.0.0");
    // The one version number: the resource takes it from the CMake project.
    const std::string quad = HWD_VERSION_QUAD_STRING;
    EXPECT_EQ(versionString(resource, L"FileVersion"), std::wstring(quad.begin(), quad.end()));
}

TEST(Icon, Resource128HasALargeAndASmallImage)
{
    const auto large = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                     IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    const auto small = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                     IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    ASSERT_NE(large, nullptr);
    ASSERT_NE(small, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(large);
    DestroyIcon(small);
}

} // namespace
