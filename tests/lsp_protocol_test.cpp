// `scenario-builder lsp` as editors drive it: framed messages piped into the real program,
// its framed answers read back and checked. The lifecycle, then a table of malformed
// streams: each one is answered with errors or ends the server cleanly, never with a crash
// or a hang (every run is bounded in time).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/lsp_session.h"

namespace scenario {
namespace {

using namespace testing_support;

const json no_capabilities = {{"capabilities", json::object()}};
const std::string initialize =
    lsp_request(1, "initialize", no_capabilities) + lsp_notification("initialized");
const std::string shutdown_and_exit = lsp_request(2, "shutdown") + lsp_notification("exit");

// Each message of the server in one line: "ID result", "ID error CODE" or
// "notification METHOD", without the diagnostics it publishes: whether a change is compiled
// depends on how soon the reader sees the change after it, and the diagnostics themselves are
// the features' to check (lsp_features_test.cpp).
std::vector<std::string> summary(const std::vector<json>& messages) {
    std::vector<std::string> lines;
    for (const json& message : messages) {
        if (message.value("method", "") == "textDocument/publishDiagnostics") {
            continue;
        }
        if (message.contains("method")) {
            lines.push_back("notification " + message["method"].get<std::string>());
        } else if (message.contains("error")) {
            lines.push_back(message.value("id", json()).dump() + " error " +
                            message["error"]["code"].dump());
        } else {
            lines.push_back(message.value("id", json()).dump() + " result");
        }
    }
    return lines;
}

void expect_ended_by_itself(const lsp_run& run) {
    EXPECT_FALSE(run.hung) << "the server did not end within the time limit";
    EXPECT_TRUE(run.end.exited) << "the server ended by a signal";
    EXPECT_TRUE(run.well_framed) << "standard output held more than framed JSON messages";
}

TEST(LspProtocol, InitializeShutdownExitEndsWithStatus0) {
    const lsp_run run = run_language_server(initialize + shutdown_and_exit);
    expect_ended_by_itself(run);
    EXPECT_EQ(run.end.exit_status, 0);
    ASSERT_EQ(summary(run.messages), (std::vector<std::string>{"1 result", "2 result"}));
    const json& result = run.messages[0]["result"];
    EXPECT_EQ(result["serverInfo"],
              (json{{"name", "scenario-builder"}, {"version", SCENARIO_VERSION_TEXT}}));
    EXPECT_EQ(result["capabilities"]["textDocumentSync"],
              (json{{"openClose", true}, {"change", 2}}));
    EXPECT_EQ(result["capabilities"]["positionEncoding"], "utf-16");
    EXPECT_EQ(run.messages[1]["result"], nullptr);
    EXPECT_EQ(run.messages[1]["jsonrpc"], "2.0");
    EXPECT_EQ(run.standard_error, "");
}

TEST(LspProtocol, ExitEndsTheServerWhileItsInputStaysOpen) {
    const lsp_run run = run_language_server(initialize + shutdown_and_exit, true);
    expect_ended_by_itself(run);
    EXPECT_EQ(run.end.exit_status, 0);
    EXPECT_EQ(summary(run.messages), (std::vector<std::string>{"1 result", "2 result"}));
}

TEST(LspProtocol, ClientOfferingUtf8PositionsGetsThem) {
    const lsp_run run = run_language_server(
        lsp_request(
            1, "initialize",
            {{"capabilities", {{"general", {{"positionEncodings", {"utf-8", "utf-16"}}}}}}}) +
        shutdown_and_exit);
    expect_ended_by_itself(run);
    ASSERT_FALSE(run.messages.empty());
    EXPECT_EQ(run.messages[0]["result"]["capabilities"]["positionEncoding"], "utf-8");
}

TEST(LspProtocol, LogGoesToItsFileAndNeverToStandardOutput) {
    temporary_folder folder;
    const std::string log = (folder.path() / "lsp.log").string();
    const lsp_run run = run_language_server(
        initialize + "Content-Length: x\r\n\r\n" + shutdown_and_exit, false, {"lsp", "--log", log});
    expect_ended_by_itself(run);
    EXPECT_EQ(run.end.exit_status, 0);
    EXPECT_NE(read_text_file(log).find("Content-Length is not a number of bytes"),
              std::string::npos)
        << read_text_file(log);
    const lsp_run refused = run_language_server(
        "", false, {"lsp", "--log", (folder.path() / "missing" / "lsp.log").string()});
    EXPECT_EQ(refused.end.exit_status, 2);
    EXPECT_NE(refused.standard_error.find("scenario-builder lsp: cannot open the log file"),
              std::string::npos)
        << refused.standard_error;
}

TEST(LspProtocol, HelpSaysWhatItServesAndHowItEnds) {
    const program_result help = run_program({"lsp", "--help"});
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_NE(help.standard_output.find("Language Server Protocol"), std::string::npos);
    EXPECT_NE(help.standard_output.find("--log"), std::string::npos);
    EXPECT_NE(help.standard_output.find("0 after the client's shutdown and exit"),
              std::string::npos);
    EXPECT_NE(run_program({"--help"}).standard_output.find("lsp"), std::string::npos);
}

// A stream of the client, the messages the server answers with, and its exit status.
struct stream_case {
    const char* name;
    std::string stream;
    std::vector<std::string> answers;
    int exit_status;
};

class LspStream : public ::testing::TestWithParam<stream_case> {};

TEST_P(LspStream, IsAnsweredAndEndsCleanly) {
    const lsp_run run = run_language_server(GetParam().stream);
    expect_ended_by_itself(run);
    EXPECT_EQ(summary(run.messages), GetParam().answers);
    EXPECT_EQ(run.end.exit_status, GetParam().exit_status);
    EXPECT_EQ(run.standard_error, "");
}

std::string did_open(const std::string& text) {
    return lsp_notification("textDocument/didOpen", {{"textDocument",
                                                      {{"uri", "file:///w/R_linea.txt"},
                                                       {"languageId", "scenario-line"},
                                                       {"version", 1},
                                                       {"text", text}}}});
}

// Bytes of no meaning, the same in every run.
std::string garbage(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Lifecycle, LspStream,
    ::testing::Values(
        stream_case{"ExitWithoutShutdown", initialize + lsp_notification("exit"), {"1 result"}, 1},
        stream_case{"EndOfInputAfterShutdown",
                    initialize + lsp_request(2, "shutdown"),
                    {"1 result", "2 result"},
                    0},
        stream_case{"EndOfInputWithoutShutdown", initialize, {"1 result"}, 1},
        stream_case{"EmptyInput", "", {}, 1},
        stream_case{"RequestsBeforeInitialize",
                    lsp_request(5, "textDocument/hover") + lsp_request(6, "shutdown") +
                        lsp_notification("initialized") + initialize + shutdown_and_exit,
                    {"5 error -32002", "6 error -32002", "1 result", "2 result"},
                    0},
        stream_case{"ExitBeforeInitialize", lsp_notification("exit") + initialize, {}, 1},
        stream_case{"RequestsAfterShutdown",
                    initialize + lsp_request(2, "shutdown") + lsp_request(3, "x/y") +
                        lsp_request(4, "shutdown") + lsp_request(5, "initialize", no_capabilities) +
                        lsp_notification("textDocument/didClose") + lsp_notification("exit"),
                    {"1 result", "2 result", "3 error -32600", "4 error -32600", "5 error -32600"},
                    0},
        stream_case{"InitializeTwice",
                    initialize + lsp_request(3, "initialize", no_capabilities) + shutdown_and_exit,
                    {"1 result", "3 error -32600", "2 result"},
                    0},
        stream_case{"InitializeWithoutObjectParams",
                    lsp_request(1, "initialize", json::array()) + initialize + shutdown_and_exit,
                    {"1 error -32602", "1 result", "2 result"},
                    0},
        stream_case{"DocumentNotificationsHaveNoAnswer",
                    initialize + did_open("a\r\n") +
                        lsp_notification("textDocument/didChange",
                                         {{"textDocument",
                                           {{"uri", "file:///w/R_linea.txt"}, {"version", 2}}},
                                          {"contentChanges",
                                           {{{"range",
                                              {{"start", {{"line", 0}, {"character", 1}}},
                                               {"end", {{"line", 9}, {"character", 0}}}}},
                                             {"text", "b"}}}}}) +
                        lsp_notification("textDocument/didChange", {{"textDocument", 5}}) +
                        lsp_notification("textDocument/didClose",
                                         {{"textDocument", {{"uri", "file:///w/R_linea.txt"}}}}) +
                        lsp_notification("textDocument/didClose",
                                         {{"textDocument", {{"uri", "file:///w/R_linea.txt"}}}}) +
                        shutdown_and_exit,
                    {"1 result", "2 result"},
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Malformed, LspStream,
    ::testing::Values(
        stream_case{"NonNumericLength",
                    "Content-Length: abc\r\n\r\n" + initialize + shutdown_and_exit,
                    {"null error -32700", "1 result", "2 result"},
                    0},
        stream_case{"NegativeLength",
                    "Content-Length: -1\r\n\r\n" + initialize + shutdown_and_exit,
                    {"null error -32700", "1 result", "2 result"},
                    0},
        stream_case{"MissingLength",
                    "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n" + initialize +
                        shutdown_and_exit,
                    {"null error -32700", "1 result", "2 result"},
                    0},
        stream_case{
            "HeadersWithoutBlankLine", initialize + "Content-Length: 10\r\n", {"1 result"}, 1},
        stream_case{"TruncatedBody",
                    initialize + "Content-Length: 500\r\n\r\n{\"jsonrpc\":\"2.0\",\"id\":3",
                    {"1 result"},
                    1},
        stream_case{"BadJson",
                    initialize + framed("{\"jsonrpc\":\"2.0\",\"id\":3,") + shutdown_and_exit,
                    {"1 result", "null error -32700", "2 result"},
                    0},
        stream_case{
            "JsonThatIsNotAnObject",
            initialize + framed("[1,2]") + framed("\"text\"") + framed("null") + shutdown_and_exit,
            {"1 result", "null error -32600", "null error -32600", "null error -32600", "2 result"},
            0},
        stream_case{"UnknownMethods",
                    initialize + lsp_request(3, "textDocument/unknown") +
                        lsp_notification("workspace/unknown") + lsp_notification("$/setTrace") +
                        lsp_request(4, "$/unknown") + shutdown_and_exit,
                    {"1 result", "3 error -32601", "4 error -32601", "2 result"},
                    0},
        stream_case{"WrongTypes",
                    initialize + framed(R"({"jsonrpc":"2.0","id":{"a":1},"method":"x"})") +
                        framed(R"({"jsonrpc":"2.0","id":7,"method":12})") +
                        framed(R"({"jsonrpc":"1.0","id":8,"method":"shutdown"})") +
                        framed(R"({"jsonrpc":"2.0","id":9,"method":"x","params":"p"})") +
                        framed(R"({"jsonrpc":"2.0","method":"shutdown"})") + shutdown_and_exit,
                    {"1 result", "null error -32600", "7 error -32600", "8 error -32600",
                     "9 error -32600", "2 result"},
                    0},
        stream_case{
            "ResponseFromTheClient",
            initialize + framed(R"({"jsonrpc":"2.0","id":40,"result":{}})") + shutdown_and_exit,
            {"1 result", "2 result"},
            0},
        stream_case{"NestedDeep",
                    initialize +
                        framed(R"({"jsonrpc":"2.0","id":3,"method":"x","params":)" +
                               std::string(100000, '[') + std::string(100000, ']') + "}") +
                        shutdown_and_exit,
                    {"1 result", "null error -32600", "2 result"},
                    0},
        stream_case{"BytesThatAreNotUtf8",
                    initialize + framed("{\"jsonrpc\":\"2.0\",\"id\":3,\"method\":\"\xc3\x28\"}") +
                        shutdown_and_exit,
                    {"1 result", "null error -32700", "2 result"},
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

// Streams of many megabytes, made when their test runs.
struct large_stream_case {
    const char* name;
    std::string (*stream)();
    std::vector<std::string> answers;
    int exit_status;
};

class LspLargeStream : public ::testing::TestWithParam<large_stream_case> {};

TEST_P(LspLargeStream, IsAnsweredAndEndsCleanly) {
    const lsp_run run = run_language_server(GetParam().stream());
    expect_ended_by_itself(run);
    EXPECT_EQ(summary(run.messages), GetParam().answers);
    EXPECT_EQ(run.end.exit_status, GetParam().exit_status);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, LspLargeStream,
    ::testing::Values(
        large_stream_case{"EndlessHeaderLine",
                          [] { return initialize + std::string(std::size_t{3} << 20, 'h'); },
                          {"1 result"},
                          1},
        // Above the limit of a message: read, dropped and answered, and the stream goes on.
        large_stream_case{"MessageAboveTheLimit",
                          [] {
                              const std::size_t size = std::size_t{65} << 20;
                              return initialize + "Content-Length: " + std::to_string(size) +
                                     "\r\n\r\n" + std::string(size, ' ') + shutdown_and_exit;
                          },
                          {"1 result", "null error -32600", "2 result"},
                          0},
        large_stream_case{"DocumentOfManyMegabytes",
                          [] {
                              return initialize +
                                     did_open(std::string(std::size_t{20} << 20, 'x')) +
                                     lsp_request(3, "x/after") + shutdown_and_exit;
                          },
                          {"1 result", "3 error -32601", "2 result"},
                          0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LspProtocol, GarbageBytesEndTheServerCleanly) {
    for (const std::size_t size : {std::size_t{1}, std::size_t{4096}, std::size_t{1 << 20}}) {
        const lsp_run run = run_language_server(initialize + garbage(size));
        expect_ended_by_itself(run);
        EXPECT_EQ(run.end.exit_status, 1);
        ASSERT_FALSE(run.messages.empty());
        EXPECT_EQ(run.messages[0]["id"], 1);
        for (std::size_t at = 1; at < run.messages.size(); ++at) {
            EXPECT_TRUE(run.messages[at]["id"].is_null()) << run.messages[at].dump();
            EXPECT_EQ(run.messages[at]["error"]["code"], -32700) << run.messages[at].dump();
        }
    }
}

}  // namespace
}  // namespace scenario
