#include "lsp/json_rpc.h"

namespace scenario::lsp {
namespace {

incoming_message invalid(int code, std::string message, json id = nullptr) {
    incoming_message read;
    read.what = incoming_message::kind::invalid;
    read.error = {code, std::move(message)};
    read.id = std::move(id);
    return read;
}

bool is_valid_id(const json& id) {
    return id.is_string() || id.is_number_integer();
}

std::string document_uri_of(const json& params) {
    if (!params.is_object()) {
        return {};
    }
    const auto document = params.find("textDocument");
    if (document == params.end() || !document->is_object()) {
        return {};
    }
    const auto uri = document->find("uri");
    return uri != document->end() && uri->is_string() ? uri->get<std::string>() : std::string();
}

std::string text_of(const json& message) {
    return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

// How deeply arrays and objects nest, counted over the bytes outside strings. Copies,
// comparisons and texts of JSON values recurse, so a message nested deeper than any the
// protocol uses is refused before it is parsed.
bool nests_deeper_than(std::string_view body, int most) {
    int depth = 0;
    bool in_string = false;
    bool escaped = false;
    for (const char c : body) {
        if (in_string) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            if (++depth > most) {
                return true;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

incoming_message read_message(std::string_view body) {
    if (nests_deeper_than(body, max_nesting)) {
        return invalid(error_code::invalid_request,
                       "the message nests arrays and objects deeper than " +
                           std::to_string(max_nesting) + " levels");
    }
    json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        return invalid(error_code::parse_error, "the message is not JSON");
    }
    if (!message.is_object()) {
        return invalid(error_code::invalid_request,
                       "the message is not a JSON object (batches are not supported)");
    }
    const auto id = message.find("id");
    const bool has_id = id != message.end();
    // The id of a message that is wrong in another way still goes back with its error, so
    // that the client can tell which request failed.
    json answer_id = has_id && is_valid_id(*id) ? *id : json(nullptr);
    const auto version = message.find("jsonrpc");
    if (version == message.end() || *version != "2.0") {
        return invalid(error_code::invalid_request, "\"jsonrpc\" is not \"2.0\"", answer_id);
    }
    if (has_id && !is_valid_id(*id)) {
        return invalid(error_code::invalid_request, "\"id\" is neither an integer nor a string");
    }
    const auto method = message.find("method");
    if (method == message.end()) {
        if (has_id && (message.contains("result") || message.contains("error"))) {
            incoming_message read;
            read.what = incoming_message::kind::response;
            read.id = *id;
            return read;
        }
        return invalid(error_code::invalid_request,
                       "the message has no \"method\" and is not a response", answer_id);
    }
    if (!method->is_string()) {
        return invalid(error_code::invalid_request, "\"method\" is not a string", answer_id);
    }
    incoming_message read;
    const auto params = message.find("params");
    if (params != message.end()) {
        if (!params->is_object() && !params->is_array()) {
            return invalid(error_code::invalid_request,
                           "\"params\" is neither an object nor an array", answer_id);
        }
        read.params = std::move(*params);
    }
    read.what = has_id ? incoming_message::kind::request : incoming_message::kind::notification;
    read.method = method->get<std::string>();
    read.id = std::move(answer_id);
    read.document_uri = document_uri_of(read.params);
    return read;
}

std::string result_text(const json& id, const json& result) {
    return text_of({{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
}

std::string error_text(const json& id, const response_error& error) {
    return text_of({{"jsonrpc", "2.0"},
                    {"id", id},
                    {"error", {{"code", error.code}, {"message", error.message}}}});
}

std::string notification_text(std::string_view method, const json& params) {
    return text_of({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
}

}  // namespace scenario::lsp
