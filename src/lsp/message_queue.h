// The client's messages between the thread that reads them and the thread that handles
// them. While a request is being handled, the reader goes on: a cancellation marks the
// request it names (waiting or being handled), and a newer change of a document is seen at
// once by the work on the older one.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string_view>

#include "lsp/json_rpc.h"
#include "lsp/request_signals.h"

namespace scenario::lsp {

class message_queue final : public request_signals {
  public:
    // The reader's side.
    void push(incoming_message message);
    // No message will come after the ones waiting.
    void close();
    // Marks the request with this id cancelled, if it waits or is being handled.
    void cancel(const json& id);

    // The handler's side: waits for the next message; false once the queue is closed and
    // empty. The message popped is the one being handled until the next pop.
    bool pop(incoming_message& message);

    bool cancelled(const json& id) const override;
    bool newer_change_waiting(std::string_view uri) const override;

  private:
    struct waiting_message {
        incoming_message message;
        bool cancelled = false;
    };

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<waiting_message> waiting_;
    bool closed_ = false;
    json current_id_;  // of the request being handled; null when it is no request
    bool current_cancelled_ = false;
};

}  // namespace scenario::lsp
