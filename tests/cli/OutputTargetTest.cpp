// Where `syx -o` writes when OUT is not a plain new file, and what the printing
// subcommands do when standard output cannot take their text.
#include "CliHarness.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, SyxOverItsOwnInputReadsItBeforeReplacingIt)
{
    const fs::path input = makeFile("in.wav", FileBytes::read(example("saw.wav")));
    const RunResult run = runWavedump({"syx", input, "--slot", "97", "-o", input});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(FileBytes::read(input), expectedDump(expectedWave("saw.wav"), 97));
}

TEST_F(CliTest, SyxThroughALinkReplacesTheFileItNames)
{
    makeFile("target.syx", "old");
    fs::create_symlink(file("target.syx"), file("link.syx"));
    const RunResult run = runWavedump({"syx", example("saw.wav"), "--slot", "98", "-o", file("link.syx")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(file("link.syx"))));
    EXPECT_EQ(FileBytes::read(file("target.syx")), expectedDump(expectedWave("saw.wav"), 98));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

// A read-only file is refused as cp refuses it, for a user who is not the
// administrator (the tests' runs as root go through setpriv as nobody); a file
// that is replaced keeps its permission bits.
TEST_F(CliTest, SyxRefusesAReadOnlyFileAndKeepsTheBitsOfOneItReplaces)
{
    // Everything the run needs in the test's own folder, which any user may
    // enter: the program, its input and both targets.
    fs::permissions(folder_, fs::perms::all);
    const fs::path program = file("wavedump");
    fs::copy_file(WAVEDUMP_PROGRAM, program);
    const fs::path input = makeFile("saw.wav", FileBytes::read(example("saw.wav")));
    const fs::path keep = makeFile("keep.syx", "old");
    const fs::path shared = makeFile("shared.syx", "old");
    fs::permissions(input, fs::perms::all);
    fs::permissions(keep, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(shared, fs::perms::all);
    const auto syx = [&](const fs::path& out) {
        std::vector<std::string> command;
        if (::geteuid() == 0)
            command = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        for (const fs::path& arg : {program, fs::path("syx"), input, fs::path("--slot"), fs::path("97"), fs::path("-o"), out})
            command.push_back(arg.string());
        return Subprocess::run(command);
    };

    const RunResult refused = syx(keep);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "wavedump syx: cannot write '" + keep.string() + "': Permission denied\n");
    EXPECT_EQ(FileBytes::read(keep), "old");

    const RunResult replaced = syx(shared);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(FileBytes::read(shared), expectedDump(expectedWave("saw.wav"), 97));
    EXPECT_EQ(fs::status(shared).permissions(), fs::perms::all);
}

// A device is written into, never replaced by a file of the same name.
TEST_F(CliTest, SyxIntoADeviceWritesIntoIt)
{
    const RunResult run = runWavedump({"syx", example("saw.wav"), "--slot", "97", "-o", "/dev/null"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    struct stat info {};
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(CliTest, AFullStandardOutputFailsWithOneLine)
{
    const std::string saw = example("saw.wav").string();
    const std::pair<const char*, std::vector<std::string>> commands[] = {
        {"samples", {"samples", saw}},
        {"show", {"show", saw}},
        {"info", {"info", saw}},
        {"syx", {"syx", saw, "--slot", "97", "-o", "-"}},
    };
    Subprocess::Options toFullDevice;
    toFullDevice.standardOutputFile = "/dev/full";
    for (const auto& [name, args] : commands) {
        std::vector<std::string> command{WAVEDUMP_PROGRAM};
        command.insert(command.end(), args.begin(), args.end());
        const RunResult run = Subprocess::run(command, toFullDevice);
        EXPECT_EQ(run.exitCode, 1) << name;
        const std::string& text = run.err;
        EXPECT_EQ(lines(text).size(), 1u) << text;
        EXPECT_TRUE(text.starts_with(std::string("wavedump ") + name + ": cannot write to standard output")) << text;
    }
}

} // namespace
