// The language server's lifecycle and the dispatch of each message to its handler. The
// dispatcher answers initialize, shutdown and exit itself, keeps the open documents in step,
// and hands every other request and notification to the feature registered for its method.
// The features register their handlers and the part of the server's capabilities that they
// provide before the first message.
//
// The lifecycle: before initialize, a request is answered "server not initialized" and a
// notification other than exit is dropped; after shutdown, a request is an invalid request;
// exit ends the server, with status 0 after shutdown and 1 without, and so does the end of
// the input.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/json_rpc.h"
#include "lsp/message_writer.h"
#include "lsp/request_signals.h"
#include "lsp/server_log.h"
#include "lsp/text_documents.h"

namespace scenario::lsp {

struct server_identity {
    std::string name;
    std::string version;
};

// The outcome of a request: a result (null is one), or an error of `error_code`.
struct request_outcome {
    static request_outcome success(json result) { return {false, std::move(result), {}}; }
    static request_outcome failure(int code, std::string message) {
        return {true, nullptr, {code, std::move(message)}};
    }
    bool failed = false;
    json result;
    response_error error;
};

// What a handler may see and do while it handles one message.
class request_context {
  public:
    request_context(const text_documents& documents, position_encoding encoding,
                    const json& client_capabilities, const json& id, const request_signals& signals,
                    message_writer& writer, const json& initialization_options = json())
        : documents_(documents),
          encoding_(encoding),
          client_capabilities_(client_capabilities),
          initialization_options_(initialization_options),
          id_(id),
          signals_(signals),
          writer_(writer) {}

    const text_documents& documents() const { return documents_; }
    // How the positions of this session count characters.
    position_encoding encoding() const { return encoding_; }
    // The capabilities the client sent with initialize.
    const json& client_capabilities() const { return client_capabilities_; }
    // The options the client sent with initialize ("initializationOptions"); null when none.
    const json& initialization_options() const { return initialization_options_; }
    // True when the client cancelled this request; long work asks between its steps and
    // then answers with error_code::request_cancelled. Always false for a notification.
    bool cancelled() const { return signals_.cancelled(id_); }
    // True when a newer didOpen, didChange or didClose of the document is already waiting.
    bool newer_change_waiting(std::string_view uri) const {
        return signals_.newer_change_waiting(uri);
    }
    // Sends a notification to the client (textDocument/publishDiagnostics, say).
    void notify(std::string_view method, const json& params) {
        writer_.send(notification_text(method, params));
    }

  private:
    const text_documents& documents_;
    position_encoding encoding_;
    const json& client_capabilities_;
    const json& initialization_options_;
    const json& id_;
    const request_signals& signals_;
    message_writer& writer_;
};

using request_handler = std::function<request_outcome(const json& params, request_context&)>;
using notification_handler = std::function<void(const json& params, request_context&)>;

class server_dispatcher {
  public:
    server_dispatcher(server_identity identity, message_writer& writer, server_log& log);

    // Registration, before the first message. The methods of the lifecycle are the
    // dispatcher's own and are never handed to a handler.
    void add_request(std::string method, request_handler handler);
    // A notification's handlers run in the order of their registration, after the
    // dispatcher's own work (a didChange's handlers see the document changed).
    void add_notification(std::string method, notification_handler handler);
    // Merged into the "capabilities" of the initialize answer (objects member by member).
    void add_capabilities(const json& capabilities);

    // Handles one message and writes its answer, if it has one.
    void handle(const incoming_message& message, const request_signals& signals);

    bool exit_requested() const { return state_ == state::exited; }
    // The status the server ends with, now: 0 once shutdown was answered, 1 before.
    int exit_status() const { return shutdown_answered_ ? 0 : 1; }

    const text_documents& documents() const { return documents_; }
    position_encoding encoding() const { return encoding_; }

  private:
    enum class state { waiting_for_initialize, running, shut_down, exited };

    void handle_request(const incoming_message& message, const request_signals& signals);
    void handle_notification(const incoming_message& message, const request_signals& signals);
    request_outcome initialize(const json& params);
    request_outcome run_request(const request_handler& handler, const incoming_message& message,
                                const request_signals& signals);
    void sync_document(const incoming_message& message);
    void answer(const json& id, const request_outcome& outcome);

    server_identity identity_;
    message_writer& writer_;
    server_log& log_;
    state state_ = state::waiting_for_initialize;
    bool shutdown_answered_ = false;
    std::map<std::string, request_handler, std::less<>> requests_;
    std::map<std::string, std::vector<notification_handler>, std::less<>> notifications_;
    json capabilities_;
    json client_capabilities_ = json::object();
    json initialization_options_;
    position_encoding encoding_ = position_encoding::utf16;
    text_documents documents_;
};

}  // namespace scenario::lsp
