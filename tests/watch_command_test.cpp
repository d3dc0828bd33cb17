// `watch` as an author uses it: started on a folder of sources, it compiles, then compiles
// again when a source is saved, telling the new mistakes; Ctrl-C ends it well.
#include <gtest/gtest.h>

#include <signal.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/background_run.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using namespace testing_support;

// Waits, a bounded time, until the text of the file holds `wanted` at or after `from`;
// returns where it was found, or npos.
std::size_t wait_for_text(const std::filesystem::path& file, const std::string& wanted,
                          std::size_t from = 0) {
    for (int tries = 0; tries < 200; ++tries) {
        const std::string text = read_text_file(file);
        if (const std::size_t at = text.find(wanted, from); at != std::string::npos) {
            return at;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::string::npos;
}

TEST(WatchCommand, CompilesAgainAfterASaveAndEndsWellOnCtrlC) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const std::filesystem::path told = folder.path() / "watch.txt";
    const pid_t pid = start_program(
        {"watch", "--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"},
        told.string());
    ASSERT_GT(pid, 0);

    const std::size_t watching = wait_for_text(told, "Ctrl-C ends");
    ASSERT_NE(watching, std::string::npos) << read_text_file(told);
    EXPECT_NE(read_text_file(told).find("0 errors, 0 warnings, exit status 0"), std::string::npos)
        << read_text_file(told);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / item_file));

    // The author misspells a station's keyword and saves the file, as an editor does: a
    // new file renamed over the old one.
    std::string train = read_text_file(folder.path() / train_source_file);
    const std::size_t station = train.find("stazione,   7400");
    ASSERT_NE(station, std::string::npos);
    train.replace(station, 8, "stazoine");
    const std::filesystem::path saved = folder.path() / "saved.tmp";
    put_file(saved, train);
    std::filesystem::rename(saved, folder.path() / train_source_file);

    const std::size_t warned = wait_for_text(told, "\"stazoine\" names no record", watching);
    EXPECT_NE(warned, std::string::npos) << read_text_file(told);
    EXPECT_NE(read_text_file(told).find(train_source_file + ":", watching), std::string::npos);

    ASSERT_EQ(::kill(pid, SIGINT), 0);
    const run_end end = wait_for_end(pid);
    EXPECT_TRUE(end.exited) << "ended by a signal instead of by itself";
    EXPECT_EQ(end.exit_status, 0);
    EXPECT_NE(read_text_file(told).find("stopped"), std::string::npos);
}

// The drawing libraries' caches live as long as the process: the picture drawn after the
// second compile is the one that `plot` draws of the same compiled files.
TEST(WatchCommand, DrawsThePictureAgainAfterEachCompileAsPlotDrawsIt) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const std::filesystem::path told = folder.path() / "watch.txt";
    const std::filesystem::path picture = folder.path() / "watched.png";
    const pid_t pid = start_program({"watch", "--dir", folder.string(), "--route", "Valdora_Rova",
                                     "--train", "5284", "--plot", picture.string()},
                                    told.string());
    ASSERT_GT(pid, 0);
    const std::size_t watching = wait_for_text(told, "Ctrl-C ends");
    ASSERT_NE(watching, std::string::npos) << read_text_file(told);
    // The first picture is drawn after the first compile's line: wait for it, then take it
    // away so that the second one can be told from it.
    for (int tries = 0; tries < 200 && !std::filesystem::exists(picture); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(std::filesystem::exists(picture)) << read_text_file(told);
    std::filesystem::remove(picture);

    // A station dropped from the train file: a compile that writes other bytes.
    std::string train = read_text_file(folder.path() / train_source_file);
    const std::size_t station = train.find("stazione,   7400");
    ASSERT_NE(station, std::string::npos);
    train.replace(station, 8, "stazoine");
    const std::filesystem::path saved = folder.path() / "saved.tmp";
    put_file(saved, train);
    std::filesystem::rename(saved, folder.path() / train_source_file);
    ASSERT_NE(wait_for_text(told, "names no record", watching), std::string::npos)
        << read_text_file(told);
    for (int tries = 0; tries < 200 && !std::filesystem::exists(picture); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    ASSERT_EQ(::kill(pid, SIGINT), 0);
    const run_end end = wait_for_end(pid);
    EXPECT_TRUE(end.exited) << "ended by a signal instead of by itself";
    EXPECT_EQ(end.exit_status, 0) << read_text_file(told);
    const std::filesystem::path plotted = folder.path() / "plotted.png";
    ASSERT_EQ(run_program({"plot", "--dir", folder.string(), "--route", "Valdora_Rova", "--train",
                           "5284", "--out", plotted.string()})
                  .exit_status,
              0);
    ASSERT_TRUE(std::filesystem::exists(picture)) << read_text_file(told);
    EXPECT_TRUE(read_text_file(picture) == read_text_file(plotted))
        << "the second picture differs from plot's of the same files";
}

TEST(WatchCommand, FolderThatIsNotThereEndsAtOnceWithExitStatus2) {
    temporary_folder folder;
    const auto result = run_program({"watch", "--dir", (folder.path() / "missing").string(),
                                     "--route", "Valdora_Rova", "--train", "5284"},
                                    "timeout 20");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.standard_error.find("scenario-builder watch: cannot watch " +
                                         (folder.path() / "missing").string()),
              std::string::npos)
        << result.standard_error;
}

// A watch started on the built-in sources, told to `told`, once it watches.
class WatchRun : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(run_program({"sources", "--dir", folder_.string()}).exit_status, 0);
        pid_ = start_program(
            {"watch", "--dir", folder_.string(), "--route", "Valdora_Rova", "--train", "5284"},
            told_.string());
        ASSERT_GT(pid_, 0);
        watching_ = wait_for_text(told_, "Ctrl-C ends");
        ASSERT_NE(watching_, std::string::npos) << read_text_file(told_);
    }
    void TearDown() override {
        run_end end;
        if (pid_ > 0 && !has_ended(pid_, end)) {
            ::kill(pid_, SIGTERM);
            wait_for_end(pid_);
        }
    }
    std::string told() const { return read_text_file(told_); }

    temporary_folder folder_;
    temporary_folder elsewhere_;
    std::filesystem::path told_ = elsewhere_.path() / "watch.txt";
    pid_t pid_ = -1;
    std::size_t watching_ = 0;
};

TEST(WatchCommand, RefusesWhatCompileRefusesBeforeWatching) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    struct refusal {
        std::vector<std::string> args;
        std::string message;
    };
    const refusal refusals[] = {
        {{"--dir", folder.string(), "--route", "../x", "--train", "5284"},
         "scenario-builder watch: --route contains a path separator: "},
        {{"--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284", "--plot",
          "x.txt"},
         "scenario-builder watch: cannot tell the picture's format from x.txt: name it .png, "
         ".svg or .pdf\n"},
        {{"--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284", "--plot", ""},
         "scenario-builder watch: --plot is empty: name the picture FILE.png, FILE.svg or "
         "FILE.pdf\n"},
        {{"--dir", "", "--route", "Valdora_Rova", "--train", "5284"},
         "scenario-builder watch: --dir is empty: "},
    };
    for (const refusal& r : refusals) {
        std::vector<std::string> args = {"watch"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        const program_result result = run_program(args, "timeout 20");
        EXPECT_EQ(result.exit_status, 64) << result.standard_error;
        EXPECT_TRUE(result.standard_error.starts_with(r.message)) << result.standard_error;
        EXPECT_EQ(result.standard_error.find("compiling"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / item_file)) << "a compile ran";
}

TEST_F(WatchRun, FolderMovedAwayEndsTheWatchWithExitStatus2) {
    const std::filesystem::path moved = elsewhere_.path() / "moved";
    std::filesystem::rename(folder_.path(), moved);
    run_end end;
    for (int tries = 0; tries < 200 && !has_ended(pid_, end); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::filesystem::rename(moved, folder_.path());
    ASSERT_TRUE(end.exited) << "still watching a folder that is no longer there: " << told();
    EXPECT_EQ(end.exit_status, 2);
    EXPECT_NE(told().find("scenario-builder watch: " + folder_.string() +
                          " was removed or moved away: the watch ends"),
              std::string::npos)
        << told();
}

TEST_F(WatchRun, HalfWrittenSourceIsCompiledOnlyOnceClosed) {
    const std::filesystem::path source = folder_.path() / train_source_file;
    const std::string train = read_text_file(source);
    const int writer = ::open(source.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(writer, 0);
    const std::size_t half = train.size() / 2;
    ASSERT_EQ(::write(writer, train.data(), half), static_cast<ssize_t>(half));
    // Far longer than the quiet time that ends a burst of events.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    EXPECT_EQ(told().find("compiling", watching_), std::string::npos)
        << "compiled a half-written source: " << told();
    ASSERT_EQ(::write(writer, train.data() + half, train.size() - half),
              static_cast<ssize_t>(train.size() - half));
    ASSERT_EQ(::close(writer), 0);
    const std::size_t compiled = wait_for_text(told_, "compiling", watching_);
    ASSERT_NE(compiled, std::string::npos) << told();
    EXPECT_NE(wait_for_text(told_, "0 errors, 0 warnings, exit status 0", compiled),
              std::string::npos)
        << told();
}

TEST_F(WatchRun, CompileThatDidNotRunIsNotToldAsOne) {
    std::filesystem::remove(folder_.path() / train_source_file);
    const std::size_t told_at = wait_for_text(told_, "not compiled (see above), exit status 2");
    ASSERT_NE(told_at, std::string::npos) << told();
    EXPECT_EQ(told().find("0 errors, 0 warnings, exit status 2"), std::string::npos) << told();
    EXPECT_NE(told().find("nothing was written: ", watching_), std::string::npos) << told();
}

}  // namespace
}  // namespace scenario
