// Bodies read as JSON-RPC messages: each kind, and every way a body fails to be a message,
// with the error and the id that answer it.
#include "lsp/json_rpc.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::lsp {
namespace {

struct body_case {
    const char* name;
    std::string body;
    incoming_message::kind what;
    int code;  // of the error, for an invalid message
    json id;   // that goes back
};

class ReadMessage : public ::testing::TestWithParam<body_case> {};

TEST_P(ReadMessage, TellsTheKindAndTheAnswer) {
    const incoming_message message = read_message(GetParam().body);
    EXPECT_EQ(message.what, GetParam().what);
    EXPECT_EQ(message.id, GetParam().id);
    if (GetParam().what == incoming_message::kind::invalid) {
        EXPECT_EQ(message.error.code, GetParam().code) << message.error.message;
    }
}

using kind = incoming_message::kind;

INSTANTIATE_TEST_SUITE_P(
    Bodies, ReadMessage,
    ::testing::Values(
        body_case{"Request", R"({"jsonrpc":"2.0","id":7,"method":"m","params":{}})", kind::request,
                  0, 7},
        body_case{"StringId", R"({"jsonrpc":"2.0","id":"a","method":"m"})", kind::request, 0, "a"},
        body_case{"Notification", R"({"jsonrpc":"2.0","method":"m","params":[1]})",
                  kind::notification, 0, nullptr},
        body_case{"Response", R"({"jsonrpc":"2.0","id":3,"result":null})", kind::response, 0, 3},
        body_case{"ErrorResponse", R"({"jsonrpc":"2.0","id":3,"error":{"code":1}})", kind::response,
                  0, 3},
        body_case{"NotJson", R"({"jsonrpc":"2.0",)", kind::invalid, error_code::parse_error,
                  nullptr},
        body_case{"Empty", "", kind::invalid, error_code::parse_error, nullptr},
        body_case{"NotUtf8", "{\"jsonrpc\":\"2.0\",\"method\":\"\xff\"}", kind::invalid,
                  error_code::parse_error, nullptr},
        body_case{"Array", R"([{"jsonrpc":"2.0","id":1,"method":"m"}])", kind::invalid,
                  error_code::invalid_request, nullptr},
        body_case{"Number", "42", kind::invalid, error_code::invalid_request, nullptr},
        body_case{"NoVersion", R"({"id":4,"method":"m"})", kind::invalid,
                  error_code::invalid_request, 4},
        body_case{"WrongVersion", R"({"jsonrpc":2,"id":4,"method":"m"})", kind::invalid,
                  error_code::invalid_request, 4},
        body_case{"MethodNotString", R"({"jsonrpc":"2.0","id":5,"method":5})", kind::invalid,
                  error_code::invalid_request, 5},
        body_case{"FractionalId", R"({"jsonrpc":"2.0","id":1.5,"method":"m"})", kind::invalid,
                  error_code::invalid_request, nullptr},
        body_case{"NullId", R"({"jsonrpc":"2.0","id":null,"method":"m"})", kind::invalid,
                  error_code::invalid_request, nullptr},
        body_case{"ObjectId", R"({"jsonrpc":"2.0","id":{},"method":"m"})", kind::invalid,
                  error_code::invalid_request, nullptr},
        body_case{"ParamsNotStructured", R"({"jsonrpc":"2.0","id":6,"method":"m","params":3})",
                  kind::invalid, error_code::invalid_request, 6},
        body_case{"NeitherMethodNorResult", R"({"jsonrpc":"2.0","id":8})", kind::invalid,
                  error_code::invalid_request, 8},
        body_case{"NestedTooDeep",
                  R"({"jsonrpc":"2.0","method":"m","params":)" + std::string(500, '[') +
                      std::string(500, ']') + "}",
                  kind::invalid, error_code::invalid_request, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadMessage, BracketsInsideStringsAreNotNesting) {
    const std::string body =
        R"({"jsonrpc":"2.0","method":"m","params":{"text":")" + std::string(500, '[') + R"(\"]"}})";
    const incoming_message message = read_message(body);
    EXPECT_EQ(message.what, kind::notification);
    EXPECT_EQ(message.params["text"].get<std::string>().size(), 502u);
}

TEST(ReadMessage, NamesTheDocumentOfItsParams) {
    const incoming_message message =
        read_message(R"({"jsonrpc":"2.0","method":"textDocument/didChange",)"
                     R"("params":{"textDocument":{"uri":"file:///w/R_linea.txt","version":2}}})");
    EXPECT_EQ(message.document_uri, "file:///w/R_linea.txt");
}

TEST(OutgoingText, AnswersAndNotificationsAreJsonRpc) {
    EXPECT_EQ(json::parse(result_text(1, {{"a", 1}})),
              json::parse(R"({"jsonrpc":"2.0","id":1,"result":{"a":1}})"));
    EXPECT_EQ(
        json::parse(error_text(nullptr, {error_code::parse_error, "bad"})),
        json::parse(R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"bad"}})"));
    EXPECT_EQ(json::parse(notification_text("x/y", json::array())),
              json::parse(R"({"jsonrpc":"2.0","method":"x/y","params":[]})"));
    // Bytes that are not UTF-8 are replaced, not refused.
    EXPECT_EQ(json::parse(error_text("a", {1, "bad \xff byte"}))["error"]["message"],
              "bad \xef\xbf\xbd byte");
}

}  // namespace
}  // namespace scenario::lsp
