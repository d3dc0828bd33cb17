// The one way out to the client: each message framed and written whole, one at a time. When
// the client has gone and a write fails, the messages after it are dropped; the server goes
// on reading until its input ends or the client says exit.
#pragma once

#include <mutex>
#include <string_view>

#include "lsp/byte_streams.h"

namespace scenario::lsp {

class message_writer {
  public:
    explicit message_writer(byte_sink& sink) : sink_(sink) {}

    void send(std::string_view body);
    bool failed() const;

  private:
    byte_sink& sink_;
    mutable std::mutex mutex_;
    bool failed_ = false;
};

}  // namespace scenario::lsp
