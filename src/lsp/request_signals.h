// What the work in progress may ask about the client's messages that are still waiting to be
// handled: whether the request being answered was cancelled, and whether a newer change of a
// document has come, which makes work on the older text worthless.
#pragma once

#include <string_view>

#include "lsp/json_rpc.h"

namespace scenario::lsp {

class request_signals {
  public:
    virtual ~request_signals() = default;
    // True when the client cancelled the request with this id, which is being handled.
    virtual bool cancelled(const json& id) const = 0;
    // True when a didOpen, didChange or didClose of the document waits to be handled.
    virtual bool newer_change_waiting(std::string_view uri) const = 0;
};

// Nothing is waiting: for handling messages one by one, as the fuzz target does.
class no_waiting_messages final : public request_signals {
  public:
    bool cancelled(const json& /*id*/) const override { return false; }
    bool newer_change_waiting(std::string_view /*uri*/) const override { return false; }
};

}  // namespace scenario::lsp
