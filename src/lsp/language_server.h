// The language server's run: one thread reads the client's messages into a queue while the
// calling thread handles them in order through the dispatcher, until exit or the end of the
// input. The reader stops after exit, so that no thread outlives the run.
#pragma once

#include "lsp/byte_streams.h"
#include "lsp/message_framing.h"
#include "lsp/message_queue.h"
#include "lsp/server_dispatcher.h"
#include "lsp/server_log.h"

namespace scenario::lsp {

// The message that a framed read stands for: a body read as JSON-RPC, or the error that
// answers a fault of the framing. Not for `end`.
incoming_message message_of(const framed_read& read);

// Reads every message of the input into the queue, and closes it at the end of the input
// or after exit. A cancellation is applied to the queue at once and not queued.
void read_messages(byte_source& input, message_queue& queue, server_log& log);

// Runs the server on the input until exit or the end of the input; returns its exit status.
int run_language_server(byte_source& input, server_dispatcher& dispatcher, server_log& log);

}  // namespace scenario::lsp
