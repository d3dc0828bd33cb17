#include "source/field_reader.h"

#include <limits>
#include <optional>
#include <utility>

namespace scenario {

field_reader::field_reader(std::string content)
    : field_reader(std::make_shared<const source_text>(std::move(content))) {}

field_reader::field_reader(std::shared_ptr<const source_text> text)
    : text_(std::move(text)), content_(text_->content()) {}

bool field_reader::at_line_end() const {
    return position_ < content_.size() &&
           (content_[position_] == '\r' || content_[position_] == '\n');
}

void field_reader::skip_blanks() {
    while (position_ < content_.size() && is_blank(content_[position_])) {
        ++position_;
    }
}

void field_reader::consume_line_end() {
    // CR LF is one line end; so are a lone CR and a lone LF, for files edited elsewhere.
    if (content_[position_] == '\r' && position_ + 1 < content_.size() &&
        content_[position_ + 1] == '\n') {
        ++position_;
    }
    ++position_;
    ++line_;
    line_start_ = position_;
}

void field_reader::mark_field_start() {
    last_field_.line = line_;
    last_field_.column = static_cast<int>(position_ - line_start_) + 1;
}

read_result field_reader::read_text(std::string& field) {
    field.clear();
    ended_at_comma_ = false;
    if (at_end()) {
        mark_field_start();
        return read_result::past_end;
    }
    skip_blanks();
    mark_field_start();
    const std::size_t start = position_;
    while (position_ < content_.size() && content_[position_] != ',' && !at_line_end()) {
        ++position_;
    }
    std::size_t end = position_;
    while (end > start && is_blank(content_[end - 1])) {
        --end;
    }
    field.assign(content_, start, end - start);
    ended_at_comma_ = position_ < content_.size() && content_[position_] == ',';
    if (position_ < content_.size()) {
        if (content_[position_] == ',') {
            ++position_;
        } else {
            consume_line_end();
        }
    }
    return read_result::ok;
}

read_result field_reader::read_number(std::int32_t& value) {
    value = 0;
    ended_at_comma_ = false;
    if (at_end()) {
        mark_field_start();
        return read_result::past_end;
    }
    skip_blanks();
    mark_field_start();
    bool negative = false;
    if (position_ < content_.size() && content_[position_] == '-') {
        negative = true;
        ++position_;
    }
    const std::size_t digits_start = position_;
    std::int64_t magnitude = 0;
    bool too_large = false;
    while (position_ < content_.size() && content_[position_] >= '0' &&
           content_[position_] <= '9') {
        if (!too_large) {
            magnitude = magnitude * 10 + (content_[position_] - '0');
            too_large = magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
        }
        ++position_;
    }
    const bool delimited = position_ >= content_.size() || is_blank(content_[position_]) ||
                           content_[position_] == ',' || at_line_end();
    if (position_ == digits_start || !delimited) {
        // Skip the rest of the malformed field so that the reader stays on a field boundary.
        while (position_ < content_.size() && content_[position_] != ',' && !at_line_end()) {
            ++position_;
        }
        ended_at_comma_ = position_ < content_.size() && content_[position_] == ',';
        if (position_ < content_.size()) {
            content_[position_] == ',' ? void(++position_) : consume_line_end();
        }
        return read_result::not_a_number;
    }
    // The blanks after a number belong to its delimiter when a comma or line end follows
    // them; anything else begins the next field.
    skip_blanks();
    ended_at_comma_ = position_ < content_.size() && content_[position_] == ',';
    if (position_ < content_.size()) {
        if (content_[position_] == ',') {
            ++position_;
        } else if (at_line_end()) {
            consume_line_end();
        }
    }
    const std::int64_t signed_value = negative ? -magnitude : magnitude;
    if (too_large || signed_value > std::numeric_limits<std::int32_t>::max() ||
        signed_value < std::numeric_limits<std::int32_t>::min()) {
        return read_result::out_of_range;
    }
    value = static_cast<std::int32_t>(signed_value);
    return read_result::ok;
}

void field_reader::resume_at_line(int line) {
    const std::optional<std::string_view> wanted = text_->line(line);
    if (!wanted) {
        position_ = content_.size();
        return;
    }
    position_ = static_cast<std::size_t>(wanted->data() - content_.data());
    line_ = line;
    line_start_ = position_;
}

}  // namespace scenario
