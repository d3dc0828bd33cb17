#include "lsp/text_documents.h"

#include <algorithm>
#include <utility>

namespace scenario::lsp {

void apply_change(std::string& text, const content_change& change, position_encoding encoding) {
    if (!change.range) {
        text = change.text;
        return;
    }
    const line_index lines(text);
    const std::size_t start = lines.offset_of(change.range->start, encoding);
    const std::size_t end = std::max(start, lines.offset_of(change.range->end, encoding));
    text.replace(start, end - start, change.text);
}

void text_documents::open(text_document document) {
    std::string uri = document.uri;
    documents_.insert_or_assign(std::move(uri), std::move(document));
}

bool text_documents::change(std::string_view uri, std::int64_t version,
                            const std::vector<content_change>& changes,
                            position_encoding encoding) {
    const auto found = documents_.find(uri);
    if (found == documents_.end()) {
        return false;
    }
    for (const content_change& change : changes) {
        apply_change(found->second.text, change, encoding);
    }
    found->second.version = version;
    return true;
}

bool text_documents::close(std::string_view uri) {
    const auto found = documents_.find(uri);
    if (found == documents_.end()) {
        return false;
    }
    documents_.erase(found);
    return true;
}

const text_document* text_documents::find(std::string_view uri) const {
    const auto found = documents_.find(uri);
    return found == documents_.end() ? nullptr : &found->second;
}

std::vector<std::string> text_documents::uris() const {
    std::vector<std::string> uris;
    uris.reserve(documents_.size());
    for (const auto& [uri, document] : documents_) {
        uris.push_back(uri);
    }
    return uris;
}

}  // namespace scenario::lsp
