#include "source/partial_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "source/file_access.h"
#include "support/temporary_folder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

TEST(PartialFiles, PatternIsTheHiddenNameBesideTheFile) {
    EXPECT_EQ(partial_file_pattern("/out/Valdora_Rova_5284.dat"),
              "/out/.Valdora_Rova_5284.dat.partial-XXXXXX");
    EXPECT_EQ(partial_file_pattern("Valdora_Rova_5284.dat"),
              ".Valdora_Rova_5284.dat.partial-XXXXXX");
}

TEST(PartialFiles, OnlyTheFilesOwnPartialsAreRecognised) {
    struct recognition_case {
        const char* candidate;
        bool partial;
    };
    for (const recognition_case& c : {
             recognition_case{".Valdora_Rova_5284.dat.partial-a1B2c3", true},
             recognition_case{"Valdora_Rova_5284.dat", false},
             recognition_case{"Valdora_Rova_5284.dat.partial-a1B2c3", false},  // not hidden
             recognition_case{".Valdora_Rova_5284.dat.partial-a1B2c", false},  // too short
             recognition_case{".Valdora_Rova_5284.dat.partial-a1B2c3d", false},
             recognition_case{".Valdora_Rova_5284.sim.partial-a1B2c3", false},  // another file
             recognition_case{".Valdora_Rova_5284.dat.sim.partial-a1B2c3", false},
             recognition_case{".Valdora_Rova_5284.dat.PARTIAL-a1B2c3", false},
             recognition_case{".Valdora_Rova_5284.dat.partial-a1-2_3", false},  // not drawn
             recognition_case{".Valdora_Rova_5284.dat.partial-a1 2c3", false},
         }) {
        EXPECT_EQ(is_partial_file_of(c.candidate, "Valdora_Rova_5284.dat"), c.partial)
            << c.candidate;
    }
}

class PartialFileFolder : public testing::Test {
  protected:
    void put(const std::string& name, const std::string& content) const {
        std::ofstream(folder_ / name, std::ios::binary) << content;
    }
    // As a run leaves its partial file: mkstemp's mode, 0600.
    void put_partial(const std::string& name, const std::string& content) const {
        put(name, content);
        fs::permissions(folder_ / name, fs::perms::owner_read | fs::perms::owner_write);
    }

    testing_support::temporary_folder temporary_{"scenario-partial-"};
    fs::path folder_ = temporary_.path();
};

TEST_F(PartialFileFolder, ReplacementRemovesTheStalePartialsOfThatFileOnly) {
    put("Valdora_Rova_5284.dat", "old");
    put_partial(".Valdora_Rova_5284.dat.partial-aaaaaa", "left by a killed run");
    put_partial(".Valdora_Rova_5284.dat.partial-bbbbbb", "left by another");
    put_partial(".Valdora_Rova_5284.sim.partial-aaaaaa", "another file's");

    ASSERT_TRUE(replace_file(folder_ / "Valdora_Rova_5284.dat", "new").ok());

    std::string content;
    ASSERT_TRUE(
        read_whole_file(folder_ / "Valdora_Rova_5284.dat", content, {1 << 20, "a compiled file"})
            .ok());
    EXPECT_EQ(content, "new");
    EXPECT_FALSE(fs::exists(folder_ / ".Valdora_Rova_5284.dat.partial-aaaaaa"));
    EXPECT_FALSE(fs::exists(folder_ / ".Valdora_Rova_5284.dat.partial-bbbbbb"));
    EXPECT_TRUE(fs::exists(folder_ / ".Valdora_Rova_5284.sim.partial-aaaaaa"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST_F(PartialFileFolder, ReplacementLeavesAPartialThatALiveRunIsWriting) {
    // A live writer holds a lock on its partial file until the file has its real name.
    const fs::path live = folder_ / ".Valdora_Rova_5284.dat.partial-aaaaaa";
    put_partial(live.filename().string(), "being written");
    const int writer = ::open(live.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);

    ASSERT_TRUE(replace_file(folder_ / "Valdora_Rova_5284.dat", "new").ok());
    EXPECT_TRUE(fs::exists(live));

    // Once the writer is gone, what it left is stale and goes with the next replacement.
    ::close(writer);
    ASSERT_TRUE(replace_file(folder_ / "Valdora_Rova_5284.dat", "newer").ok());
    EXPECT_FALSE(fs::exists(live));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// A file that merely has a partial file's name, made by someone with the usual mode (a backup
// copy), is not a run's leftover: it stays.
TEST_F(PartialFileFolder, ReplacementLeavesAFileThatOnlyLooksLikeAPartial) {
    put(".Valdora_Rova_5284.dat.partial-backup", "an author's copy");
    fs::permissions(folder_ / ".Valdora_Rova_5284.dat.partial-backup",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read);

    ASSERT_TRUE(replace_file(folder_ / "Valdora_Rova_5284.dat", "new").ok());
    EXPECT_TRUE(fs::exists(folder_ / ".Valdora_Rova_5284.dat.partial-backup"));
}

}  // namespace
}  // namespace scenario
