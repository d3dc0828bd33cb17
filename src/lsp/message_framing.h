// The framing of the language server's messages: each one is a block of header lines
// ("Content-Length: N", an optional "Content-Type: ...", each ended by CR LF), a blank line,
// and N bytes of JSON. The reader turns any stream of bytes into a sequence of outcomes:
// a message's body, a fault of the framing that the server answers and reads on after, or
// the end. Memory stays bounded whatever comes: a header line is cut at a limit, and a body
// above the size limit is read and dropped in pieces, never held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lsp/byte_streams.h"

namespace scenario::lsp {

inline constexpr std::size_t max_header_line_bytes = std::size_t{8} * 1024;
inline constexpr std::size_t max_header_lines = 64;
inline constexpr std::uint64_t max_body_bytes = 64ull * 1024 * 1024;

struct framed_read {
    enum class kind {
        message,    // `body` holds the bytes of one message
        fault,      // the framing was not understood; `fault` says how; reading goes on
        too_large,  // a body of `announced_bytes` above the limit was read and dropped
        end,        // the input ended (perhaps inside a message, which is then lost)
    };
    kind what = kind::end;
    std::string body;
    std::string fault;
    std::uint64_t announced_bytes = 0;
};

class message_reader {
  public:
    explicit message_reader(byte_source& source) : source_(source) {}

    // The next outcome; after `end`, every call returns `end` again.
    framed_read next();

  private:
    struct header_block;
    enum class line_end { complete, too_long, end_of_input };

    framed_read read_headers();
    line_end read_line(std::string& line);
    framed_read read_body(std::uint64_t length);

    byte_source& source_;
    bool ended_ = false;
    // A block whose faults were told first, whose body is read at the next call.
    bool body_pending_ = false;
    std::uint64_t pending_length_ = 0;
};

// The framed bytes of one message's body: "Content-Length: N\r\n\r\n" and the body.
std::string frame_message(std::string_view body);

// Writes one framed message; false when the sink refused it.
bool write_message(byte_sink& sink, std::string_view body);

}  // namespace scenario::lsp
