// The file named on the command line: which argument is taken, as given.
#include "tests/support/CaseNames.h"

#include "ui/win32/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace hwd;

namespace {

using CaseNames::PrintTo;

struct CommandLineCase {
    const char* name;
    const wchar_t* commandLine;
    const wchar_t* file; // or empty
};

class CommandLineFile : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineFile, IsTheFirstArgumentWhole)
{
    EXPECT_EQ(fileNamedOnCommandLine(GetParam().commandLine), std::filesystem::path(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineFile,
    testing::Values(
        CommandLineCase{"None", L"harlix-wave-dump.exe", L""},
        CommandLineCase{"NoneAfterBlanks", L"harlix-wave-dump.exe   ", L""},
        CommandLineCase{"Empty", L"", L""},
        CommandLineCase{"EmptyQuotes", L"harlix-wave-dump.exe \"\"", L""},
        CommandLineCase{"Plain", L"harlix-wave-dump.exe C:\\waves\\saw.wav", L"C:\\waves\\saw.wav"},
        CommandLineCase{"QuotedWithSpaces",
                        L"\"C:\\Program Files\\Harlix\\harlix-wave-dump.exe\" \"C:\\My Waves\\a saw.wav\"",
                        L"C:\\My Waves\\a saw.wav"},
        CommandLineCase{"FurtherArgumentsIgnored", L"h.exe C:\\a.wav C:\\b.wav", L"C:\\a.wav"},
        CommandLineCase{"RelativeAsGiven", L"h.exe waves\\saw.wav", L"waves\\saw.wav"},
        CommandLineCase{"OutsideTheAnsiCodePage", L"h.exe \"C:\\\u03BA\u03CD\u03BC\u03B1 \u6CE2.wav\"",
                        L"C:\\\u03BA\u03CD\u03BC\u03B1 \u6CE2.wav"}),
    CaseNames::byName);

} // namespace
