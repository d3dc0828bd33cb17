#include "lsp/server_dispatcher.h"

#include <exception>
#include <utility>

#include "lsp/document_sync.h"

namespace scenario::lsp {
namespace {

// UTF-8 when the client offers it: the texts are UTF-8, so offsets need no counting of
// UTF-16 units. Otherwise UTF-16, which every client understands.
position_encoding chosen_encoding(const json& capabilities) {
    const json general = capabilities.is_object() ? capabilities.value("general", json()) : json();
    const json offered = general.is_object() ? general.value("positionEncodings", json()) : json();
    if (offered.is_array()) {
        for (const json& encoding : offered) {
            if (encoding == "utf-8") {
                return position_encoding::utf8;
            }
        }
    }
    return position_encoding::utf16;
}

}  // namespace

server_dispatcher::server_dispatcher(server_identity identity, message_writer& writer,
                                     server_log& log)
    : identity_(std::move(identity)), writer_(writer), log_(log) {
    capabilities_ = {{"textDocumentSync", text_document_sync_capabilities()}};
}

void server_dispatcher::add_request(std::string method, request_handler handler) {
    requests_.insert_or_assign(std::move(method), std::move(handler));
}

void server_dispatcher::add_notification(std::string method, notification_handler handler) {
    notifications_[std::move(method)].push_back(std::move(handler));
}

void server_dispatcher::add_capabilities(const json& capabilities) {
    capabilities_.merge_patch(capabilities);
}

void server_dispatcher::handle(const incoming_message& message, const request_signals& signals) {
    if (log_.enabled() && !message.method.empty()) {
        log_.write((message.what == incoming_message::kind::request
                        ? "request " + message.id.dump() + " "
                        : std::string("notification ")) +
                   message.method);
    }
    switch (message.what) {
        case incoming_message::kind::request:
            handle_request(message, signals);
            break;
        case incoming_message::kind::notification:
            handle_notification(message, signals);
            break;
        case incoming_message::kind::response:
            log_.write("a response to no request of the server's passed over");
            break;
        case incoming_message::kind::invalid:
            log_.write("answered a message that could not be read: " + message.error.message);
            writer_.send(error_text(message.id, message.error));
            break;
    }
}

void server_dispatcher::handle_request(const incoming_message& message,
                                       const request_signals& signals) {
    const std::string& method = message.method;
    if (state_ == state::shut_down) {
        answer(message.id, request_outcome::failure(error_code::invalid_request,
                                                    "the server was shut down: only exit "
                                                    "is understood now"));
        return;
    }
    if (method == "initialize") {
        if (state_ != state::waiting_for_initialize) {
            answer(message.id, request_outcome::failure(error_code::invalid_request,
                                                        "initialize was already received"));
            return;
        }
        answer(message.id, initialize(message.params));
        return;
    }
    if (state_ == state::waiting_for_initialize) {
        answer(message.id,
               request_outcome::failure(error_code::server_not_initialized,
                                        "the server is not initialized: send initialize first"));
        return;
    }
    if (signals.cancelled(message.id)) {
        answer(message.id, request_outcome::failure(error_code::request_cancelled,
                                                    "the request was cancelled"));
        return;
    }
    if (method == "shutdown") {
        state_ = state::shut_down;
        shutdown_answered_ = true;
        answer(message.id, request_outcome::success(nullptr));
        return;
    }
    const auto handler = requests_.find(method);
    if (handler == requests_.end()) {
        answer(message.id, request_outcome::failure(error_code::method_not_found,
                                                    "no method " + method + " on this server"));
        return;
    }
    answer(message.id, run_request(handler->second, message, signals));
}

request_outcome server_dispatcher::initialize(const json& params) {
    if (!params.is_object()) {
        return request_outcome::failure(error_code::invalid_params,
                                        "initialize takes an object of params");
    }
    const auto capabilities = params.find("capabilities");
    if (capabilities != params.end() && capabilities->is_object()) {
        client_capabilities_ = *capabilities;
    }
    if (const auto options = params.find("initializationOptions"); options != params.end()) {
        initialization_options_ = *options;
    }
    encoding_ = chosen_encoding(client_capabilities_);
    state_ = state::running;
    json answered = capabilities_;
    answered["positionEncoding"] = encoding_ == position_encoding::utf8 ? "utf-8" : "utf-16";
    return request_outcome::success(
        {{"capabilities", answered},
         {"serverInfo", {{"name", identity_.name}, {"version", identity_.version}}}});
}

request_outcome server_dispatcher::run_request(const request_handler& handler,
                                               const incoming_message& message,
                                               const request_signals& signals) {
    request_context context(documents_, encoding_, client_capabilities_, message.id, signals,
                            writer_, initialization_options_);
    // A handler that reads params of the wrong shape throws from the JSON library; that is
    // the client's mistake, and is answered as one.
    try {
        return handler(message.params, context);
    } catch (const json::exception& e) {
        return request_outcome::failure(
            error_code::invalid_params,
            "the params of " + message.method + " are not understood: " + e.what());
    } catch (const std::exception& e) {
        return request_outcome::failure(error_code::internal_error,
                                        message.method + " failed: " + e.what());
    }
}

void server_dispatcher::handle_notification(const incoming_message& message,
                                            const request_signals& signals) {
    const std::string& method = message.method;
    if (method == "exit") {
        state_ = state::exited;
        return;
    }
    if (state_ != state::running || is_optional_method(method)) {
        return;
    }
    sync_document(message);
    const auto handlers = notifications_.find(method);
    if (handlers == notifications_.end()) {
        return;
    }
    const json no_id;
    request_context context(documents_, encoding_, client_capabilities_, no_id, signals, writer_,
                            initialization_options_);
    for (const notification_handler& handler : handlers->second) {
        try {
            handler(message.params, context);
        } catch (const std::exception& e) {
            log_.write(method + " failed: " + e.what());
        }
    }
}

void server_dispatcher::sync_document(const incoming_message& message) {
    std::optional<std::string> fault;
    if (message.method == "textDocument/didOpen") {
        fault = open_document(documents_, message.params);
    } else if (message.method == "textDocument/didChange") {
        fault = change_document(documents_, message.params, encoding_);
    } else if (message.method == "textDocument/didClose") {
        fault = close_document(documents_, message.params);
    }
    if (fault) {
        log_.write(*fault);
    }
}

void server_dispatcher::answer(const json& id, const request_outcome& outcome) {
    if (outcome.failed) {
        writer_.send(error_text(id, outcome.error));
    } else {
        writer_.send(result_text(id, outcome.result));
    }
}

}  // namespace scenario::lsp
