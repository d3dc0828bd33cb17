#include "source/folder_lock.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

namespace scenario {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FolderLock : public testing::Test {
  protected:
    fs::path lock_file() const { return folder_ / std::string(lock_file_name); }

    testing_support::temporary_folder temporary_{"scenario-lock-"};
    fs::path folder_ = temporary_.path();
};

TEST_F(FolderLock, LockFileIsThereWhileHeldAndGoneAfter) {
    {
        folder_lock lock;
        ASSERT_TRUE(lock_folder(folder_.string(), lock, {}).ok());
        EXPECT_TRUE(lock.held());
        EXPECT_TRUE(fs::is_regular_file(lock_file()));
    }
    EXPECT_FALSE(fs::exists(lock_file()));
}

TEST_F(FolderLock, LockFileLeftByAKilledRunIsTakenAndRemoved) {
    std::ofstream(lock_file()) << "";
    {
        folder_lock lock;
        ASSERT_TRUE(lock_folder(folder_.string(), lock, {}).ok());
        EXPECT_TRUE(lock.held());
    }
    EXPECT_FALSE(fs::exists(lock_file()));
}

TEST_F(FolderLock, SecondRunWaitsIsToldAfterASecondAndHoldsTheFileThatIsThere) {
    folder_lock first;
    ASSERT_TRUE(lock_folder(folder_.string(), first, {}).ok());

    std::atomic<int> told{0};
    folder_lock second;
    auto waiting = std::async(std::launch::async, [&] {
        return lock_folder(folder_.string(), second, [&] { ++told; }).ok();
    });
    EXPECT_EQ(waiting.wait_for(1500ms), std::future_status::timeout);
    EXPECT_EQ(told, 1);

    // The first run removes its file as it leaves; the second, which waited on that file,
    // must hold a lock on the file that stands in the folder now, or a third run would get
    // in beside it.
    first.release();
    ASSERT_EQ(waiting.wait_for(10s), std::future_status::ready);
    EXPECT_TRUE(waiting.get());
    EXPECT_EQ(told, 1);
    ASSERT_TRUE(fs::exists(lock_file()));
    const int third = ::open(lock_file().c_str(), O_RDONLY);
    ASSERT_GE(third, 0);
    EXPECT_NE(::flock(third, LOCK_EX | LOCK_NB), 0);
    ::close(third);
}

TEST_F(FolderLock, FolderThatIsNotThereIsNamed) {
    folder_lock lock;
    const status locked = lock_folder((folder_ / "missing").string(), lock, {});
    ASSERT_FALSE(locked.ok());
    EXPECT_EQ(locked.message(), "cannot open the lock file " +
                                    (folder_ / "missing" / std::string(lock_file_name)).string() +
                                    ": No such file or directory");
    EXPECT_FALSE(lock.held());
}

}  // namespace
}  // namespace scenario
