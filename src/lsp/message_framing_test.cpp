// The reader of framed messages on whole streams: each stream gives its sequence of bodies,
// faults and the end, whatever its bytes.
#include "lsp/message_framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario::lsp {
namespace {

// One outcome as a line: "message {..}", "fault TEXT", "too_large N" or "end".
std::string outcome_text(const framed_read& read) {
    switch (read.what) {
        case framed_read::kind::message:
            return "message " + read.body;
        case framed_read::kind::fault:
            return "fault " + read.fault;
        case framed_read::kind::too_large:
            return "too_large " + std::to_string(read.announced_bytes);
        case framed_read::kind::end:
            return "end";
    }
    return "?";
}

std::vector<std::string> outcomes(const std::string& stream) {
    string_byte_source source(stream);
    message_reader reader(source);
    std::vector<std::string> seen;
    for (int reads = 0; reads < 100; ++reads) {
        seen.push_back(outcome_text(reader.next()));
        if (seen.back() == "end") {
            break;
        }
    }
    return seen;
}

struct framing_case {
    const char* name;
    std::string stream;
    std::vector<std::string> expected;
};

class MessageFraming : public ::testing::TestWithParam<framing_case> {};

TEST_P(MessageFraming, GivesEachOutcomeInOrder) {
    EXPECT_EQ(outcomes(GetParam().stream), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, MessageFraming,
    ::testing::Values(
        framing_case{"Empty", "", {"end"}},
        framing_case{"TwoMessages",
                     "Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1]",
                     {"message {}", "message [1]", "end"}},
        framing_case{"ContentTypeAndCaseOfNames",
                     "content-length:2\r\nContent-Type: application/vscode-jsonrpc; "
                     "charset=utf-8\r\n\r\n{}",
                     {"message {}", "end"}},
        framing_case{"BareLineFeeds", "Content-Length: 2\n\n{}", {"message {}", "end"}},
        framing_case{"BlankLinesBetweenMessages",
                     "\r\n\r\nContent-Length: 2\r\n\r\n{}\r\n",
                     {"message {}", "end"}},
        framing_case{"ZeroLength", "Content-Length: 0\r\n\r\n", {"message ", "end"}},
        framing_case{"MissingLength",
                     "Content-Type: x\r\n\r\nContent-Length: 2\r\n\r\n{}",
                     {"fault a message without a Content-Length header", "message {}", "end"}},
        framing_case{"NonNumericLength",
                     "Content-Length: two\r\n\r\n",
                     {"fault Content-Length is not a number of bytes: \"two\"", "end"}},
        framing_case{
            "NegativeLength",
            "Content-Length: -5\r\n\r\nContent-Length: 2\r\n\r\n{}",
            {"fault Content-Length is not a number of bytes: \"-5\"", "message {}", "end"}},
        framing_case{"EmptyLength",
                     "Content-Length:\r\n\r\n",
                     {"fault Content-Length is not a number of bytes: \"\"", "end"}},
        framing_case{
            "TwoDifferentLengths",
            "Content-Length: 2\r\nContent-Length: 3\r\n\r\n{}",
            {"fault two different Content-Length headers in one message", "message {}", "end"}},
        framing_case{"LineWithoutColonBeforeALength",
                     "garbage\x01\xff\r\nContent-Length: 2\r\n\r\n{}",
                     {"fault a header line without a colon: \"garbage??\"", "message {}", "end"}},
        framing_case{"HeadersWithoutTheBlankLine", "Content-Length: 2\r\n", {"end"}},
        framing_case{"BodyShorterThanAnnounced", "Content-Length: 10\r\n\r\n{}", {"end"}},
        framing_case{"HugeLengthAtEndOfInput",
                     "Content-Length: 99999999999999999999999999\r\n\r\n{}",
                     {"end"}},
        framing_case{
            "HeaderLineTooLong",
            std::string(max_header_line_bytes + 10, 'x') + "\r\nContent-Length: 2\r\n\r\n{}",
            {"fault a header line longer than 8192 bytes", "message {}", "end"}},
        framing_case{"UnterminatedLongLine", std::string(100000, 'y'), {"end"}},
        framing_case{"TooManyHeaderLines",
                     [] {
                         std::string many;
                         for (std::size_t line = 0; line <= max_header_lines; ++line) {
                             many += "X-Header: 1\r\n";
                         }
                         return many + "\r\nContent-Length: 2\r\n\r\n{}";
                     }(),
                     {"fault more than 64 header lines without the blank line that ends them",
                      "message {}", "end"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageFraming, BodyAboveTheLimitIsDroppedAndReadingGoesOn) {
    const std::uint64_t length = max_body_bytes + 1;
    std::string stream = "Content-Length: " + std::to_string(length) + "\r\n\r\n";
    stream.append(length, ' ');
    stream += "Content-Length: 2\r\n\r\n{}";
    EXPECT_EQ(outcomes(stream), (std::vector<std::string>{"too_large " + std::to_string(length),
                                                          "message {}", "end"}));
}

TEST(MessageFraming, BodyAtTheLimitIsKept) {
    std::string stream = "Content-Length: " + std::to_string(max_body_bytes) + "\r\n\r\n";
    stream.append(max_body_bytes, 'z');
    string_byte_source source(stream);
    message_reader reader(source);
    const framed_read read = reader.next();
    EXPECT_EQ(read.what, framed_read::kind::message);
    EXPECT_EQ(read.body.size(), max_body_bytes);
}

TEST(MessageFraming, FramedMessageReadsBack) {
    const std::string body = "{\"jsonrpc\":\"2.0\",\"method\":\"x\",\"text\":\"\xc3\xa8\"}";
    string_byte_sink sink;
    ASSERT_TRUE(write_message(sink, body));
    EXPECT_EQ(sink.bytes(), "Content-Length: 42\r\n\r\n" + body);
    EXPECT_EQ(outcomes(sink.bytes()), (std::vector<std::string>{"message " + body, "end"}));
}

}  // namespace
}  // namespace scenario::lsp
