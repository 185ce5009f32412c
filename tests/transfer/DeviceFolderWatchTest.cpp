// The watch of the sound devices' folder on a real folder: its version moves
// with each node made, changed or removed and only then, and it follows the
// folder when the folder goes and comes back.
#include "ScratchDirectory.h"

#include "transfer/alsa/DeviceFolderWatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(DeviceFolderWatch, MovesWithEachChangeToTheFolderAndOnlyThen)
{
    ScratchDirectory scratch;
    const fs::path folder = scratch.file("snd");
    hwd::DeviceFolderWatch watch(folder);
    EXPECT_FALSE(watch.version());

    fs::create_directory(folder);
    auto seen = watch.version();
    ASSERT_TRUE(seen);
    const auto movesOnce = [&](const char* change) {
        const auto now = watch.version();
        EXPECT_TRUE(now && now != seen) << change;
        EXPECT_EQ(watch.version(), now) << change;
        seen = now;
    };
    std::ofstream{folder / "midiC2D0"};
    movesOnce("a node made");
    fs::permissions(folder / "midiC2D0", fs::perms::group_write, fs::perm_options::add);
    movesOnce("who may open it changed");
    fs::remove(folder / "midiC2D0");
    movesOnce("the node removed");

    fs::remove(folder);
    const auto gone = watch.version();
    EXPECT_NE(gone, seen);
    EXPECT_FALSE(watch.version());
    fs::create_directory(folder);
    const auto back = watch.version();
    EXPECT_TRUE(back && back != gone);
}
