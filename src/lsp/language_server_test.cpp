// The server's run in one process, on framed messages in memory: the features registered on
// the dispatcher, and what the work in progress learns from the reader while it works
// (a cancellation, a newer change of its document).
#include "lsp/language_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace scenario::lsp {
namespace {

std::string request(int id, const char* method, json params = json::object()) {
    return frame_message(
        json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}}
            .dump());
}

std::string notification(const char* method, json params = json::object()) {
    return frame_message(
        json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump());
}

const std::string start =
    request(0, "initialize", {{"capabilities", json::object()}}) + notification("initialized");
const std::string finish = request(99, "shutdown") + notification("exit");

struct server_run {
    int exit_status = -1;
    std::vector<json> answers;

    // The answer with this id.
    json answer(int id) const {
        for (const json& answer : answers) {
            if (answer.value("id", json()) == id) {
                return answer;
            }
        }
        return nullptr;
    }
};

// Runs the server on the stream with features added by `add`.
template <typename adder>
server_run run(const std::string& stream, adder add) {
    string_byte_source input(stream);
    string_byte_sink output;
    message_writer writer(output);
    server_log log;
    server_dispatcher dispatcher({"scenario-builder", "9.9"}, writer, log);
    add(dispatcher);
    server_run done;
    done.exit_status = run_language_server(input, dispatcher, log);
    string_byte_source written(output.bytes());
    message_reader reader(written);
    for (framed_read read = reader.next(); read.what == framed_read::kind::message;
         read = reader.next()) {
        done.answers.push_back(json::parse(read.body));
    }
    return done;
}

// Waits, a bounded time, until the condition holds.
template <typename condition>
bool eventually(condition holds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!holds()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(LanguageServer, RegisteredFeaturesAnswerAndAddCapabilities) {
    std::vector<std::string> seen_texts;
    const server_run done = run(
        start +
            notification(
                "textDocument/didOpen",
                {{"textDocument",
                  {{"uri", "file:///d"}, {"languageId", "x"}, {"version", 1}, {"text", "old"}}}}) +
            notification("textDocument/didChange",
                         {{"textDocument", {{"uri", "file:///d"}, {"version", 2}}},
                          {"contentChanges", {{{"text", "new"}}}}}) +
            request(1, "test/length", {{"uri", "file:///d"}}) +
            request(2, "test/length", {{"uri", 12}}) + request(3, "test/unknown") + finish,
        [&](server_dispatcher& dispatcher) {
            dispatcher.add_capabilities(
                {{"hoverProvider", true}, {"textDocumentSync", {{"save", true}}}});
            dispatcher.add_request("test/length", [](const json& params, request_context& context) {
                const text_document* document =
                    context.documents().find(params.at("uri").get<std::string>());
                return request_outcome::success(document != nullptr ? document->text.size() : 0);
            });
            dispatcher.add_notification(
                "textDocument/didChange", [&](const json& params, request_context& context) {
                    const std::string uri = params["textDocument"]["uri"];
                    seen_texts.push_back(context.documents().find(uri)->text);
                });
        });
    EXPECT_EQ(done.exit_status, 0);
    const json capabilities = done.answer(0)["result"]["capabilities"];
    EXPECT_EQ(capabilities["hoverProvider"], true);
    EXPECT_EQ(capabilities["textDocumentSync"],
              json::parse(R"({"openClose":true,"change":2,"save":true})"));
    EXPECT_EQ(capabilities["positionEncoding"], "utf-16");
    EXPECT_EQ(done.answer(0)["result"]["serverInfo"],
              json::parse(R"({"name":"scenario-builder","version":"9.9"})"));
    EXPECT_EQ(done.answer(1)["result"], 3);
    EXPECT_EQ(done.answer(2)["error"]["code"], error_code::invalid_params);
    EXPECT_EQ(done.answer(3)["error"]["code"], error_code::method_not_found);
    EXPECT_EQ(seen_texts, std::vector<std::string>{"new"});
}

TEST(LanguageServer, WaitingRequestCancelledIsAnsweredCancelledWithoutRunning) {
    bool echo_ran = false;
    bool other_document_waiting = true;
    const server_run done =
        run(start + request(1, "test/wait") + request(2, "test/echo") +
                notification("$/cancelRequest", {{"id", 2}}) +
                notification("textDocument/didChange",
                             {{"textDocument", {{"uri", "file:///d"}, {"version", 2}}},
                              {"contentChanges", json::array()}}) +
                finish,
            [&](server_dispatcher& dispatcher) {
                // Once the change behind the cancellation waits, the cancellation was read.
                dispatcher.add_request("test/wait", [&](const json&, request_context& context) {
                    const bool saw =
                        eventually([&] { return context.newer_change_waiting("file:///d"); });
                    other_document_waiting = context.newer_change_waiting("file:///other");
                    return request_outcome::success(saw);
                });
                dispatcher.add_request("test/echo", [&](const json&, request_context&) {
                    echo_ran = true;
                    return request_outcome::success("echo");
                });
            });
    EXPECT_EQ(done.answer(1)["result"], true);
    EXPECT_FALSE(other_document_waiting);
    EXPECT_EQ(done.answer(2)["error"]["code"], error_code::request_cancelled);
    EXPECT_FALSE(echo_ran);
    EXPECT_EQ(done.exit_status, 0);
}

TEST(LanguageServer, RunningRequestSeesItsCancellation) {
    const server_run done =
        run(start + request(1, "test/long") + notification("$/cancelRequest", {{"id", 1}}) +
                notification("$/cancelRequest", {{"id", 77}}) + finish,
            [&](server_dispatcher& dispatcher) {
                dispatcher.add_request("test/long", [](const json&, request_context& context) {
                    if (eventually([&] { return context.cancelled(); })) {
                        return request_outcome::failure(error_code::request_cancelled, "stopped");
                    }
                    return request_outcome::success(nullptr);
                });
            });
    EXPECT_EQ(done.answer(1)["error"]["code"], error_code::request_cancelled);
    // The cancellations are answered by nothing else.
    EXPECT_EQ(done.answers.size(), 3u);
}

TEST(LanguageServer, ClientOfferingUtf8GetsIt) {
    const server_run done = run(
        request(0, "initialize",
                {{"capabilities", {{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}}}}}) +
            finish,
        [](server_dispatcher&) {});
    EXPECT_EQ(done.answer(0)["result"]["capabilities"]["positionEncoding"], "utf-8");
}

}  // namespace
}  // namespace scenario::lsp
