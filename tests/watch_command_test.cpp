// `watch` as an author uses it: started on a folder of sources, it compiles, then compiles
// again when a source is saved, telling the new mistakes; Ctrl-C ends it well.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

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

}  // namespace
}  // namespace scenario
