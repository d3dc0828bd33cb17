#include "source/file_access.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

namespace scenario {
namespace {

namespace fs = std::filesystem;

class ReplaceFile : public testing::Test {
  protected:
    std::string content_of(const fs::path& path) const {
        std::string content;
        EXPECT_TRUE(read_whole_file(path, content, {1 << 20, "a test file"}).ok());
        return content;
    }
    // Nothing but the named entries stands in the folder: no partial file was left.
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    testing_support::temporary_folder temporary_{"scenario-replace-"};
    fs::path folder_ = temporary_.path();
};

// The limit on file size stands in for a disk that fills up part-way through a file.
class file_size_limit {
  public:
    explicit file_size_limit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
        saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~file_size_limit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, saved_handler_);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

  private:
    rlimit saved_{};
    void (*saved_handler_)(int) = nullptr;
};

TEST_F(ReplaceFile, WriteThatFailsPartWayKeepsTheOldFileAndLeavesNoPartial) {
    const fs::path path = folder_ / "Valdora_Rova_linea.dat";
    std::ofstream(path, std::ios::binary) << "earlier run";
    status written = status::success();
    {
        const file_size_limit limit(4096);
        written = replace_file(path, std::string(10000, 'x'));
    }
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.message(), "cannot write " + path.string() + ": File too large");
    EXPECT_EQ(content_of(path), "earlier run");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReplaceFile, PathThatCannotHoldAFileIsNamedWithItsCause) {
    fs::create_directory(folder_ / "Valdora_Rova_5284.sim");
    struct refusal_case {
        fs::path path;
        std::string cause;
    };
    for (const refusal_case& c : {
             refusal_case{folder_ / "Valdora_Rova_5284.sim", "Is a directory"},
             refusal_case{folder_ / "missing" / "Valdora_Rova_5284.sim",
                          "No such file or directory"},
         }) {
        const status written = replace_file(c.path, "bytes");
        ASSERT_FALSE(written.ok()) << c.path;
        EXPECT_EQ(written.message(), "cannot write " + c.path.string() + ": " + c.cause);
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "Valdora_Rova_5284.sim"));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReplaceFile, ReplacedFileGetsThePermissionsOfANewFile) {
    // The partial file is private to its writer while it is written; the finished file is
    // opened to others as far as the umask allows, like any file the program creates.
    const fs::path path = folder_ / "Valdora_Rova_5284_note.txt";
    std::ofstream(path, std::ios::binary) << std::string(5000, 'o');
    const mode_t saved = ::umask(027);
    const status written = replace_file(path, "short");
    ::umask(saved);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(content_of(path), "short");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace scenario
