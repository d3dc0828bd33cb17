#include "lsp/message_writer.h"

#include "lsp/message_framing.h"

namespace scenario::lsp {

void message_writer::send(std::string_view body) {
    const std::lock_guard lock(mutex_);
    if (!failed_ && !write_message(sink_, body)) {
        failed_ = true;
    }
}

bool message_writer::failed() const {
    const std::lock_guard lock(mutex_);
    return failed_;
}

}  // namespace scenario::lsp
