#include "lsp/language_server.h"

#include <thread>

namespace scenario::lsp {
namespace {

bool is_notification(const incoming_message& message, std::string_view method) {
    return message.what == incoming_message::kind::notification && message.method == method;
}

}  // namespace

incoming_message message_of(const framed_read& read) {
    if (read.what == framed_read::kind::message) {
        return read_message(read.body);
    }
    incoming_message message;
    message.what = incoming_message::kind::invalid;
    if (read.what == framed_read::kind::too_large) {
        message.error = {error_code::invalid_request,
                         "a message of " + std::to_string(read.announced_bytes) +
                             " bytes is larger than the " + std::to_string(max_body_bytes >> 20) +
                             " MiB this server reads; it was dropped"};
    } else {
        message.error = {error_code::parse_error,
                         "the message's header is not understood: " + read.fault};
    }
    return message;
}

void read_messages(byte_source& input, message_queue& queue, server_log& log) {
    message_reader reader(input);
    for (;;) {
        const framed_read read = reader.next();
        if (read.what == framed_read::kind::end) {
            log.write("the input ended");
            break;
        }
        incoming_message message = message_of(read);
        if (is_notification(message, "$/cancelRequest")) {
            if (message.params.is_object() && message.params.contains("id")) {
                queue.cancel(message.params["id"]);
            }
            continue;
        }
        const bool exit = is_notification(message, "exit");
        queue.push(std::move(message));
        if (exit) {
            break;
        }
    }
    queue.close();
}

int run_language_server(byte_source& input, server_dispatcher& dispatcher, server_log& log) {
    message_queue queue;
    std::thread reader([&] { read_messages(input, queue, log); });
    incoming_message message;
    while (!dispatcher.exit_requested() && queue.pop(message)) {
        dispatcher.handle(message, queue);
    }
    // The reader has stopped, or stops now: after exit it reads no more, and otherwise the
    // queue was closed at the end of the input.
    reader.join();
    return dispatcher.exit_status();
}

}  // namespace scenario::lsp
