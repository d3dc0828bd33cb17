// The scenarios behind the documents that the editor has open. A document named R_linea.txt
// or R_T-.txt belongs to the pair of its folder; the pair is compiled in memory from the texts
// open now and the files on disk for the others, never writing anything, and the compile is
// kept until a text of the pair changes, so that a hover or an outline asks nothing of the
// compiler again.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editor/pair_compile.h"
#include "lsp/compiler_text.h"
#include "lsp/text_documents.h"

namespace scenario::lsp {

struct compiled_pair {
    std::unique_ptr<editor::pair_compile> compile;
    std::string line_uri;
    std::string train_uri;
    // The texts as compiled and as the editor shows them; a file that could not be read has
    // none.
    std::optional<compiler_text> line_text;
    std::optional<compiler_text> train_text;
    // The versions of the open documents it was compiled from; -1 for a file read from disk.
    std::int64_t line_version = -1;
    std::int64_t train_version = -1;

    const std::string& uri_of(source_file file) const {
        return file == source_file::line ? line_uri : train_uri;
    }
    const compiler_text* text_of(source_file file) const;
    // Which file of the pair a URI names; none for another.
    source_file file_of(std::string_view uri) const;
};

class scenario_session {
  public:
    // Names and board texts as UTF-8, as `compile --utf8` takes them.
    void take_texts_as_utf8(bool utf8) { utf8_ = utf8; }

    // The pair of the document compiled from the texts open now: the kept compile while none
    // of them changed, else a new one. Null for a document of no pair.
    const compiled_pair* compiled_for(std::string_view uri, const text_documents& documents);
    // The kept compile of the document's pair, whatever has changed since; null when none.
    const compiled_pair* kept_for(std::string_view uri) const;
    // After a document was closed: when none of its pair's documents is open any more, the
    // pair is forgotten and the URIs of its two files returned, whose diagnostics are to be
    // cleared (the second empty for a line file without its train); none while one of them
    // is still open, for a pair never compiled, or for a document of no pair.
    std::optional<std::pair<std::string, std::string>> forget_if_closed(
        std::string_view uri, const text_documents& documents);

  private:
    std::optional<editor::source_pair> pair_of(std::string_view uri,
                                               const text_documents& documents) const;

    bool utf8_ = false;
    std::map<std::string, compiled_pair, std::less<>> pairs_;  // by the line file's path
    std::map<std::string, std::string, std::less<>> pair_of_uri_;
};

}  // namespace scenario::lsp
