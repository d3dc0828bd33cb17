// The documents that the client has open, by URI: each with its language, its version and
// its whole text as the client last sent it, kept in step with every change, whole or in
// ranges. The features read them from here; the files on disk may be older.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/text_positions.h"

namespace scenario::lsp {

struct text_document {
    std::string uri;
    std::string language_id;
    std::int64_t version = 0;
    std::string text;
};

struct text_range {
    text_position start;
    text_position end;
};

// One change of a document: the text that replaces a range, or the whole text when there is
// no range.
struct content_change {
    std::optional<text_range> range;
    std::string text;
};

// Applies one change to a text. A range past the end of a line or of the text is cut back to
// it, and one that ends before it starts is taken as empty, at its start.
void apply_change(std::string& text, const content_change& change, position_encoding encoding);

class text_documents {
  public:
    // Opens a document, or replaces it when it is open already.
    void open(text_document document);
    // Applies the changes in order and takes the new version; false when the document is
    // not open.
    bool change(std::string_view uri, std::int64_t version,
                const std::vector<content_change>& changes, position_encoding encoding);
    // False when the document was not open.
    bool close(std::string_view uri);

    // The open document, or null.
    const text_document* find(std::string_view uri) const;
    std::size_t size() const { return documents_.size(); }
    // The URIs of the open documents.
    std::vector<std::string> uris() const;

  private:
    std::map<std::string, text_document, std::less<>> documents_;
};

}  // namespace scenario::lsp
