// File names as wavedump's commands take them: on Linux the bytes the shell
// passed, whatever they are; on Windows UTF-8 made from the UTF-16 command
// line, which must reach the file system as the same UTF-16 name.
#include "cli/PathArgument.h"
#include "cli/WaveSource.h"
#include "transfer/DumpBank.h"
#include "wave/Waveshape.h"

#ifdef _WIN32
#include "cli/win32/Utf8Arguments.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Name {
    const char* label;
    std::string argument;         // as a command gets it
    fs::path::string_type native; // as the file system spells it
};

// Chinese, Cyrillic and Greek are outside a Western ANSI code page; the
// keyboard is outside UTF-16's first plane, a surrogate pair on Windows.
std::vector<Name> names()
{
#ifdef _WIN32
    return {
        {"Chinese", "\xE6\xB3\xA2\xE5\xBD\xA2.wav", L"\u6CE2\u5F62.wav"},
        {"Cyrillic", "\xD0\x92\xD0\xBE\xD0\xBB\xD0\xBD\xD0\xB0.wav", L"\u0412\u043E\u043B\u043D\u0430.wav"},
        {"Greek", "\xCE\x9A\xCF\x8D\xCE\xBC\xCE\xB1.wav", L"\u039A\u03CD\u03BC\u03B1.wav"},
        {"Keyboard", "\xF0\x9F\x8E\xB9 saw.wav", L"\xD83C\xDFB9 saw.wav"},
    };
#else
    return {
        {"Chinese", "\xE6\xB3\xA2\xE5\xBD\xA2.wav", "\xE6\xB3\xA2\xE5\xBD\xA2.wav"},
        {"Cyrillic", "\xD0\x92\xD0\xBE\xD0\xBB\xD0\xBD\xD0\xB0.wav", "\xD0\x92\xD0\xBE\xD0\xBB\xD0\xBD\xD0\xB0.wav"},
        {"Greek", "\xCE\x9A\xCF\x8D\xCE\xBC\xCE\xB1.wav", "\xCE\x9A\xCF\x8D\xCE\xBC\xCE\xB1.wav"},
        {"Keyboard", "\xF0\x9F\x8E\xB9 saw.wav", "\xF0\x9F\x8E\xB9 saw.wav"},
        // A Latin-1 name from an old disk: no UTF-8, and it must still open.
        {"Latin-1", "Gr\xFC\xDF" "e-\xE9t\xE9.wav", "Gr\xFC\xDF" "e-\xE9t\xE9.wav"},
    };
#endif
}

TEST(PathArgument, SpellsEachNameAsTheFileSystemDoes)
{
    for (const Name& name : names()) {
        SCOPED_TRACE(name.label);
        EXPECT_EQ(hwd::pathOfArgument(name.argument).native(), name.native);
        EXPECT_EQ(hwd::argumentOfPath(fs::path(name.native)), name.argument);
    }
}

#ifdef _WIN32
TEST(PathArgument, OnWindowsABrokenSequenceNamesNoFile)
{
    EXPECT_TRUE(hwd::pathOfArgument("saw\xFF.wav").empty());
    EXPECT_TRUE(hwd::pathOfArgument("\xE6\xB3.wav").empty());
}

TEST(Utf8Arguments, MakesTheWideCommandLineUtf8)
{
    const wchar_t* const wide[] = {L"wavedump.exe", L"info", L"\u039A\u03CD\u03BC\u03B1.wav", L"\xD800!", L""};
    hwd::Utf8Arguments arguments(5, wide);

    ASSERT_EQ(arguments.count(), 5);
    char** argv = arguments.values();
    EXPECT_STREQ(argv[0], "wavedump.exe");
    EXPECT_STREQ(argv[1], "info");
    EXPECT_STREQ(argv[2], "\xCE\x9A\xCF\x8D\xCE\xBC\xCE\xB1.wav");
    // An unpaired surrogate has no UTF-8 spelling: the replacement character.
    EXPECT_STREQ(argv[3], "\xEF\xBF\xBD!");
    EXPECT_STREQ(argv[4], "");
    EXPECT_EQ(argv[5], nullptr);
}
#endif

// Files with those names in a scratch folder that is the current one while a
// test runs, so that the names are given as they are, with no folder.
class PathArgumentFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        // Made absolute first: on Windows a path from the root is taken on the current drive.
        saw_ = fs::absolute(fs::path(PROJECT_SOURCE) / "examples" / "saw.wav");
        scratch_ = fs::temp_directory_path() / ("hwd-path-argument-" + std::to_string(std::random_device{}()));
        fs::create_directories(scratch_);
        fs::current_path(scratch_);
    }

    void TearDown() override
    {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    fs::path saw_;

private:
    fs::path previous_;
    fs::path scratch_;
};

TEST_F(PathArgumentFiles, CommandsOpenEachNameAndNameItBack)
{
    for (const Name& name : names()) {
        SCOPED_TRACE(name.label);
        ASSERT_TRUE(fs::copy_file(saw_, fs::path(name.native)));

        hwd::Waveshape wave;
        EXPECT_EQ(hwd::loadAndEdit(wave, name.argument, {}, std::nullopt), nullptr);
        // saw.wav rises from -32768 by 512 a sample.
        EXPECT_EQ(wave.samples[0], -32768);
        EXPECT_EQ(wave.samples[127], 32256);

        // saw.wav happens to be 300 bytes long: read whole, and refused by what it holds.
        EXPECT_EQ(hwd::readDumpBank(hwd::pathOfArgument(name.argument), name.argument).problem,
            "'" + name.argument + "' is not a waveshape dump for a user slot 97 to 128");
        const std::string missing = "missing " + name.argument;
        EXPECT_EQ(hwd::readDumpBank(hwd::pathOfArgument(missing), missing).problem,
            "cannot read '" + missing + "': No such file or directory");
    }
}

} // namespace
