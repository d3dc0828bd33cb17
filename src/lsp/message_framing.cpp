#include "lsp/message_framing.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace scenario::lsp {
namespace {

// Bodies are read in pieces of this size: a body announced far longer than the input that
// follows costs no more memory than the input.
constexpr std::size_t body_piece_bytes = std::size_t{64} * 1024;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool same_name(std::string_view name, std::string_view wanted) {
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// A piece of a line that a fault quotes: printable ASCII only, since the fault goes back to
// the client inside a JSON string, and short.
std::string quoted(std::string_view line) {
    constexpr std::size_t most = 40;
    std::string text = "\"";
    for (const char c : line.substr(0, most)) {
        text += c >= 0x20 && c < 0x7f ? c : '?';
    }
    return text + (line.size() > most ? "...\"" : "\"");
}

// The value of Content-Length: decimal digits only. A number too large for 64 bits is
// taken as the largest one, which is above the limit of a body all the same.
std::optional<std::uint64_t> content_length(std::string_view value) {
    if (value.empty()) {
        return std::nullopt;
    }
    std::uint64_t length = 0;
    constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    for (const char c : value) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        length = length > (largest - digit) / 10 ? largest : length * 10 + digit;
    }
    return length;
}

framed_read fault(std::string text) {
    framed_read read;
    read.what = framed_read::kind::fault;
    read.fault = std::move(text);
    return read;
}

framed_read end_of_input() {
    return framed_read{};
}

}  // namespace

framed_read message_reader::next() {
    if (ended_) {
        return end_of_input();
    }
    if (body_pending_) {
        body_pending_ = false;
        return read_body(pending_length_);
    }
    return read_headers();
}

message_reader::line_end message_reader::read_line(std::string& line) {
    line.clear();
    bool too_long = false;
    for (;;) {
        const int byte = source_.read_byte();
        if (byte < 0) {
            return line_end::end_of_input;
        }
        if (byte == '\n') {
            break;
        }
        if (line.size() < max_header_line_bytes) {
            line += static_cast<char>(byte);
        } else {
            too_long = true;  // the rest of the line is read and dropped
        }
    }
    if (too_long) {
        return line_end::too_long;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line_end::complete;
}

framed_read message_reader::read_headers() {
    std::optional<std::uint64_t> length;
    std::string first_fault;
    const auto note = [&](std::string text) {
        if (first_fault.empty()) {
            first_fault = std::move(text);
        }
    };
    std::size_t lines = 0;
    std::string line;
    for (;;) {
        const line_end end = read_line(line);
        if (end == line_end::end_of_input) {
            ended_ = true;
            return end_of_input();
        }
        if (end == line_end::complete && line.empty()) {
            if (lines == 0) {
                continue;  // blank lines between messages are passed over
            }
            break;
        }
        if (++lines > max_header_lines) {
            return fault("more than " + std::to_string(max_header_lines) +
                         " header lines without the blank line that ends them");
        }
        if (end == line_end::too_long) {
            note("a header line longer than " + std::to_string(max_header_line_bytes) + " bytes");
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            note("a header line without a colon: " + quoted(line));
            continue;
        }
        const std::string_view name = trimmed(std::string_view(line).substr(0, colon));
        const std::string_view value = trimmed(std::string_view(line).substr(colon + 1));
        if (!same_name(name, "Content-Length")) {
            continue;  // Content-Type, and any header of later versions, change nothing here
        }
        const std::optional<std::uint64_t> announced = content_length(value);
        if (!announced) {
            note("Content-Length is not a number of bytes: " + quoted(value));
        } else if (length && *length != *announced) {
            note("two different Content-Length headers in one message");
        } else {
            length = announced;
        }
    }
    if (!length) {
        return fault(first_fault.empty() ? "a message without a Content-Length header"
                                         : first_fault);
    }
    if (!first_fault.empty()) {
        // The length is known: its body is read at the next call, which keeps the stream in
        // step with the client's messages.
        body_pending_ = true;
        pending_length_ = *length;
        return fault(first_fault);
    }
    return read_body(*length);
}

framed_read message_reader::read_body(std::uint64_t length) {
    framed_read read;
    std::array<char, body_piece_bytes> piece{};
    const bool kept = length <= max_body_bytes;
    std::uint64_t left = length;
    while (left > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size()));
        const std::size_t count = source_.read(piece.data(), wanted);
        if (kept) {
            read.body.append(piece.data(), count);
        }
        left -= count;
        if (count < wanted) {
            ended_ = true;
            return end_of_input();
        }
    }
    read.what = kept ? framed_read::kind::message : framed_read::kind::too_large;
    read.announced_bytes = length;
    if (!kept) {
        read.body.clear();
    }
    return read;
}

std::string frame_message(std::string_view body) {
    std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    framed.append(body);
    return framed;
}

bool write_message(byte_sink& sink, std::string_view body) {
    return sink.write(frame_message(body));
}

}  // namespace scenario::lsp
