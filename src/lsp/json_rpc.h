// JSON-RPC 2.0 as the language server speaks it: what kind of message a body holds, the
// standard error codes, and the texts of answers and notifications. A body that is not a
// message at all is a value too, with the error that answers it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace scenario::lsp {

using json = nlohmann::json;

namespace error_code {
inline constexpr int parse_error = -32700;
inline constexpr int invalid_request = -32600;
inline constexpr int method_not_found = -32601;
inline constexpr int invalid_params = -32602;
inline constexpr int internal_error = -32603;
inline constexpr int server_not_initialized = -32002;
inline constexpr int request_failed = -32803;
inline constexpr int request_cancelled = -32800;
}  // namespace error_code

// The error of an answer: a code of `error_code` and a message for the person reading the
// client's log.
struct response_error {
    int code = error_code::internal_error;
    std::string message;
};

// The JSON library's move constructor is noexcept; clang-tidy sees a throw behind it.
// NOLINTNEXTLINE(bugprone-exception-escape)
struct incoming_message {
    enum class kind {
        request,       // method, id and params: answered with a result or an error
        notification,  // method and params, no answer
        response,      // an answer to a request of the server's; id
        invalid,       // not a message: answered with `error` and `id` (null when unknown)
    };
    kind what = kind::invalid;
    json id;  // an integer or a string; null when the message has none
    std::string method;
    json params;  // an object, an array or null when absent
    response_error error;
    // "textDocument.uri" of the params, when they name a document: what lets the server see
    // whether a newer change of a document is already waiting.
    std::string document_uri;
};

// The deepest nesting of arrays and objects that a message may have.
inline constexpr int max_nesting = 200;

// Reads one body. Never throws.
incoming_message read_message(std::string_view body);

// The texts of outgoing messages, ready to be framed. Texts that are not UTF-8 are written
// with replacement characters rather than refused.
std::string result_text(const json& id, const json& result);
std::string error_text(const json& id, const response_error& error);
std::string notification_text(std::string_view method, const json& params);

// "$/" methods belong to the protocol's optional parts: the server that does not know one
// passes it over without an answer.
inline bool is_optional_method(std::string_view method) {
    return method.starts_with("$/");
}

}  // namespace scenario::lsp
