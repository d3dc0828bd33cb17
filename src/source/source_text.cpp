#include "source/source_text.h"

namespace scenario {
namespace {

bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string_view> source_text::line(int n) const {
    if (n < 1) {
        return std::nullopt;
    }
    const auto wanted = static_cast<std::size_t>(n);
    // The start of the line after the one wanted is looked for too: the wanted line ends just
    // before it, so a long line is not searched for its end again at each call.
    while (line_starts_.size() <= wanted && !every_line_found_) {
        std::size_t end = line_starts_.back();
        while (end < content_.size() && !is_line_end(content_[end])) {
            ++end;
        }
        if (end == content_.size()) {
            every_line_found_ = true;
            break;
        }
        const bool crlf =
            content_[end] == '\r' && end + 1 < content_.size() && content_[end + 1] == '\n';
        line_starts_.push_back(end + (crlf ? 2 : 1));
    }
    if (line_starts_.size() < wanted) {
        return std::nullopt;
    }
    const std::size_t start = line_starts_[wanted - 1];
    if (line_starts_.size() == wanted) {
        // The last line, without a line end: it runs to the end of the text.
        return std::string_view(content_).substr(start);
    }
    // The next line starts after this one's line end: CR LF, a lone LF or a lone CR.
    std::size_t end = line_starts_[wanted];
    if (content_[end - 1] == '\n') {
        --end;
        if (end > start && content_[end - 1] == '\r') {
            --end;
        }
    } else {
        --end;
    }
    return std::string_view(content_).substr(start, end - start);
}

std::shared_ptr<const source_text> source_texts::keep(const std::string& path,
                                                      std::string content) {
    return keep(path, std::make_shared<const source_text>(std::move(content)));
}

std::shared_ptr<const source_text> source_texts::keep(const std::string& path,
                                                      std::shared_ptr<const source_text> text) {
    for (auto& [kept_path, kept] : texts_) {
        if (kept_path == path) {
            kept = text;
            return text;
        }
    }
    texts_.emplace_back(path, text);
    return text;
}

const source_text* source_texts::find(std::string_view path) const {
    return find_shared(path).get();
}

std::shared_ptr<const source_text> source_texts::find_shared(std::string_view path) const {
    for (const auto& [kept_path, kept] : texts_) {
        if (kept_path == path) {
            return kept;
        }
    }
    return nullptr;
}

}  // namespace scenario
