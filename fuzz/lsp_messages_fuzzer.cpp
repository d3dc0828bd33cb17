// Feeds arbitrary bytes to the language server's message reader and dispatcher, with its
// store of open documents: as a raw stream of the client, or, to reach deeper, as bodies
// that are framed here with their right lengths after an initialize. Every answer the
// server writes must be a framed JSON message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lsp/json_rpc.h"
#include "lsp/language_server.h"
#include "lsp/message_framing.h"
#include "lsp/message_writer.h"
#include "lsp/request_signals.h"
#include "lsp/server_dispatcher.h"
#include "lsp/server_log.h"

namespace {

using namespace scenario::lsp;

// The bodies of the framed mode are separated by this byte.
constexpr char body_separator = '\x1e';

std::string framed_bodies(std::string_view bodies, bool offer_utf8) {
    const char* encodings = offer_utf8 ? R"(["utf-8"])" : R"(["utf-16"])";
    std::string stream =
        frame_message(std::string(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":)") +
                      R"({"capabilities":{"general":{"positionEncodings":)" + encodings + "}}}}");
    for (;;) {
        const std::size_t end = bodies.find(body_separator);
        stream += frame_message(bodies.substr(0, end));
        if (end == std::string_view::npos) {
            return stream;
        }
        bodies.remove_prefix(end + 1);
    }
}

// A feature that reads its params as the language features do and walks the document.
request_outcome document_length(const json& params, request_context& context) {
    const text_document* document =
        context.documents().find(params.at("textDocument").at("uri").get<std::string>());
    if (document == nullptr) {
        return request_outcome::failure(error_code::request_failed, "not open");
    }
    const line_index lines(document->text);
    const text_position end = lines.position_of(document->text.size(), context.encoding());
    if (lines.offset_of(end, context.encoding()) != document->text.size()) {
        __builtin_trap();  // the end of the text did not come back to its offset
    }
    return request_outcome::success({{"line", end.line}, {"character", end.character}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t mode = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    string_byte_source input((mode & 1) != 0 ? framed_bodies(rest, (mode & 2) != 0)
                                             : std::string(rest));
    string_byte_sink output;
    message_writer writer(output);
    server_log log;
    server_dispatcher dispatcher({"scenario-builder", "0"}, writer, log);
    dispatcher.add_request("test/documentLength", document_length);
    dispatcher.add_capabilities({{"hoverProvider", true}});
    const no_waiting_messages signals;

    message_reader reader(input);
    for (framed_read read = reader.next();
         read.what != framed_read::kind::end && !dispatcher.exit_requested();
         read = reader.next()) {
        dispatcher.handle(message_of(read), signals);
    }

    string_byte_source written(output.bytes());
    message_reader answers(written);
    for (framed_read read = answers.next(); read.what != framed_read::kind::end;
         read = answers.next()) {
        const json answer = read.what == framed_read::kind::message
                                ? json::parse(read.body, nullptr, false)
                                : json();
        if (!answer.is_object() || answer.value("jsonrpc", "") != "2.0") {
            __builtin_trap();  // the server wrote something that is not a framed message
        }
    }
    return 0;
}
