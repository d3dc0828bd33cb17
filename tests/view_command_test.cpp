// `view` and `watch --serve` as an author runs them: the page written whole from a compile in
// memory, with the exit statuses of the other commands, and the page served on 127.0.0.1 to a
// real HTTP client, or a clear refusal when the port is taken.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

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

program_result view_of(const temporary_folder& folder, const std::filesystem::path& out) {
    return run_program({"view", "--dir", folder.string(), "--route", "Valdora_Rova", "--train",
                        "5284", "--out", out.string()});
}

TEST(ViewCommand, WritesThePageWholeAndNoCompiledFile) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const std::filesystem::path page = folder.path() / "page.html";
    const program_result result = view_of(folder, page);
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    const std::string text = read_text_file(page);
    EXPECT_EQ(text.rfind("<!DOCTYPE html>", 0), 0U);
    EXPECT_NE(text.find("\"route\":\"Valdora_Rova\""), std::string::npos);
    // Nothing that the page would fetch: no address of any other place.
    EXPECT_EQ(text.find("src="), std::string::npos);
    EXPECT_EQ(text.find("href=\"http"), std::string::npos);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_NE(entry.path().extension(), ".dat") << entry.path();
        EXPECT_NE(entry.path().extension(), ".sim") << entry.path();
        EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos);
        ++files;
    }
    EXPECT_EQ(files, 3U);
}

// A source written in Windows-1252 holds bytes that are no UTF-8: the page shows them as the
// simulator does, in its quoted lines and messages as in its objects.
TEST(ViewCommand, SourceBytesBeyondAsciiAreShownAsWindows1252) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    std::string train = read_text_file(folder.path() / train_source_file);
    train.replace(train.find("VALDORA CASCINE"), 15, "CITT\xC8");
    put_file(folder.path() / train_source_file, train);
    const std::filesystem::path page = folder.path() / "page.html";
    const program_result result = view_of(folder, page);
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    const std::string text = read_text_file(page);
    EXPECT_NE(text.find("0, CITT\xC3\x88\""), std::string::npos) << "the quoted line";
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "a replacement character";
}

TEST(ViewCommand, EndsAsTheOtherCommandsDo) {
    // {what is wrong, exit status, whether the page is written, what standard error holds}
    struct view_case {
        const char* name;
        int exit_status;
        bool written;
        const char* told;
    };
    const view_case cases[] = {
        {"errors", 1, true, "error 16 at 2100 m"},
        {"missing train file", 2, false, "Valdora_Rova_5284-.txt"},
        {"page in a missing folder", 2, false, "cannot write"},
    };
    for (const view_case& c : cases) {
        temporary_folder folder;
        ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
        std::filesystem::path page = folder.path() / "page.html";
        const std::string name = c.name;
        if (name == "errors") {
            std::string train = read_text_file(folder.path() / train_source_file);
            train.replace(train.find("segnale,   4600,"), 16, "segnale,   2100,");
            put_file(folder.path() / train_source_file, train);
        } else if (name == "missing train file") {
            std::filesystem::remove(folder.path() / train_source_file);
        } else {
            page = folder.path() / "no such folder" / "page.html";
        }
        const program_result result = view_of(folder, page);
        EXPECT_EQ(result.exit_status, c.exit_status) << name << ": " << result.standard_error;
        EXPECT_EQ(std::filesystem::exists(page), c.written) << name;
        EXPECT_NE(result.standard_error.find(c.told), std::string::npos)
            << name << ": " << result.standard_error;
    }
}

// A listening socket on 127.0.0.1 at a port the system picks; -1 when none can be had.
int listen_on_any_port(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(fd, 1) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// One HTTP/1.1 request over TCP, read until the server has sent `enough` bytes or closes.
std::string http_get(int port, const std::string& path, std::size_t enough) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return "";
    }
    const timeval patience{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    const std::string request =
        "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (::send(fd, request.data(), request.size(), 0) < 0) {
        ::close(fd);
        return "";
    }
    std::string answer;
    char buffer[65536];
    while (answer.size() < enough) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return answer;
}

TEST(WatchServe, APortInUseIsRefusedClearly) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    int port = 0;
    const int taken = listen_on_any_port(port);
    ASSERT_GE(taken, 0);
    const program_result result =
        run_program({"watch", "--dir", folder.string(), "--route", "Valdora_Rova", "--train",
                     "5284", "--serve", std::to_string(port)});
    ::close(taken);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.standard_error.find("scenario-builder watch: cannot serve the page at "
                                         "127.0.0.1:" +
                                         std::to_string(port) +
                                         ": the port is in use by another program"),
              std::string::npos)
        << result.standard_error;
}

TEST(WatchServe, ServesThePageAndTheEventStreamAndEndsWellOnCtrlC) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const std::filesystem::path told = folder.path() / "watch.txt";
    const pid_t pid = start_program({"watch", "--dir", folder.string(), "--route", "Valdora_Rova",
                                     "--train", "5284", "--serve", "0"},
                                    told.string());
    ASSERT_GT(pid, 0);
    const std::string mark = "serving the page at http://127.0.0.1:";
    std::size_t at = std::string::npos;
    for (int tries = 0; tries < 200 && at == std::string::npos; ++tries) {
        at = read_text_file(told).find(mark);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(at, std::string::npos) << read_text_file(told);
    const int port = std::stoi(read_text_file(told).substr(at + mark.size()));

    const std::string page = http_get(port, "/", std::string::npos);
    EXPECT_EQ(page.rfind("HTTP/1.1 200", 0), 0U) << page.substr(0, 200);
    EXPECT_NE(page.find("Content-Type: text/html"), std::string::npos);
    EXPECT_NE(page.find("<!DOCTYPE html>"), std::string::npos);
    // The stream stays open: the first event, the compile's data, is enough.
    const std::string events = http_get(port, "/events", 4096);
    EXPECT_NE(events.find("Content-Type: text/event-stream"), std::string::npos);
    EXPECT_NE(events.find("event: scenario\nid: 1\ndata: {\"title\":"), std::string::npos)
        << events.substr(0, 400);
    EXPECT_EQ(http_get(port, "/nothing", std::string::npos).rfind("HTTP/1.1 404", 0), 0U);

    ASSERT_EQ(::kill(pid, SIGINT), 0);
    const run_end end = wait_for_end(pid);
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.exit_status, 0) << read_text_file(told);
}

}  // namespace
}  // namespace scenario
