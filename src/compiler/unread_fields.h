// Fields that a reader passes over, told to the author. At keyword position a field that names
// no setting or record of the part where it stands is passed over together with the rest of its
// line; so is a key that names a kind read in another part or file. The message says what the
// field was taken for and, when the field comes close to a keyword (a letter dropped, added,
// changed or two swapped, or the wrong letter case of a word that is matched as written),
// which keyword it most likely meant.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/keywords.h"

namespace scenario {

// The fewest edits (a letter inserted, dropped or changed, or two neighbours swapped) that
// make `word` stand somewhere inside `text`, ignoring letter case.
int edits_to_contain(std::string_view text, std::string_view word);

// The keyword that a field most likely meant, and the word of it that the field misses.
struct keyword_guess {
    const keyword* meant = nullptr;
    std::string_view word;          // as the keyword writes it
    bool only_letter_case = false;  // the field holds the word in other letter case
    source_part part = source_part::line_records;
};

// The closest keyword to a field among those read in the part, then among those of the other
// parts of both files; none when no keyword comes close, or when the field is too long to be a
// mistyped key (a line of text, say, that is no key at all).
keyword_guess guess_keyword(std::string_view field, source_part part);

// The kind of another part or file that the field names exactly as a key, when it names one.
struct named_elsewhere {
    const keyword* kind = nullptr;
    source_part part = source_part::line_records;
};
named_elsewhere find_kind_elsewhere(std::string_view field, source_part part);

// What the author is told about a field at keyword position that names nothing read where it
// stands: `fields_after` more fields of its line are passed over with it; in the record part
// of the line file, `general_end_line` is the line of the header that ended the general part.
std::string passed_over_message(std::string_view field, source_part part, int fields_after,
                                int general_end_line);

// An edit of a field: `length` bytes from `offset` become `replacement`.
struct field_edit {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string replacement;
};

// The edit that makes a key that names nothing read where it stands name the keyword it most
// likely meant, in the same part: the word of the field nearest to the keyword's missing word
// becomes that word as written. None when no such keyword comes close, or when the keyword
// meant is read in another part or file, where an edit of the word would not make it read.
std::optional<field_edit> mend_key(std::string_view field, source_part part);

// How a field is quoted in messages: in double quotes, cut when long.
std::string quoted_field(std::string_view field);

}  // namespace scenario
