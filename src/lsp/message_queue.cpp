#include "lsp/message_queue.h"

#include <utility>

namespace scenario::lsp {
namespace {

bool changes_text(const incoming_message& message) {
    return message.what == incoming_message::kind::notification &&
           (message.method == "textDocument/didChange" ||
            message.method == "textDocument/didOpen" || message.method == "textDocument/didClose");
}

}  // namespace

void message_queue::push(incoming_message message) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back({std::move(message), false});
    }
    arrived_.notify_one();
}

void message_queue::close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    arrived_.notify_one();
}

void message_queue::cancel(const json& id) {
    const std::lock_guard lock(mutex_);
    if (!current_id_.is_null() && current_id_ == id) {
        current_cancelled_ = true;
        return;
    }
    for (waiting_message& waiting : waiting_) {
        if (waiting.message.what == incoming_message::kind::request && waiting.message.id == id) {
            waiting.cancelled = true;
        }
    }
}

bool message_queue::pop(incoming_message& message) {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [this] { return closed_ || !waiting_.empty(); });
    if (waiting_.empty()) {
        current_id_ = nullptr;
        current_cancelled_ = false;
        return false;
    }
    message = std::move(waiting_.front().message);
    current_cancelled_ = waiting_.front().cancelled;
    waiting_.pop_front();
    current_id_ = message.what == incoming_message::kind::request ? message.id : json(nullptr);
    return true;
}

bool message_queue::cancelled(const json& id) const {
    const std::lock_guard lock(mutex_);
    return current_cancelled_ && !id.is_null() && current_id_ == id;
}

bool message_queue::newer_change_waiting(std::string_view uri) const {
    const std::lock_guard lock(mutex_);
    for (const waiting_message& waiting : waiting_) {
        if (changes_text(waiting.message) && waiting.message.document_uri == uri) {
            return true;
        }
    }
    return false;
}

}  // namespace scenario::lsp
