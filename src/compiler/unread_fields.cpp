#include "compiler/unread_fields.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "compiler/source_cursor.h"

namespace scenario {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// A field longer than this is no keyword with a slip of the finger: it is not compared with
// the keywords letter by letter, which would cost the field's length times every keyword's.
constexpr std::size_t longest_guessed_field = 100;

// How many edits a word of this length may be off and still be taken for a slip of the
// finger: none for the short words (uno, due, tre), which stand inside too many others.
int edits_allowed(std::string_view word) {
    if (word.size() <= 4) {
        return 0;
    }
    return word.size() < 8 ? 1 : 2;
}

// The other parts whose keywords a field may have meant, nearest first.
std::array<source_part, 2> other_parts(source_part part) {
    switch (part) {
        case source_part::line_general:
            return {source_part::line_records, source_part::train_records};
        case source_part::line_records:
        case source_part::line_preamble:
            return {source_part::line_general, source_part::train_records};
        case source_part::train_records:
        case source_part::train_preamble:
            break;
    }
    return {source_part::line_general, source_part::line_records};
}

// The part itself for a part where records are read; the parts of its file for a preamble.
std::vector<source_part> parts_of_file(source_part part) {
    switch (part) {
        case source_part::line_preamble:
            return {source_part::line_general, source_part::line_records};
        case source_part::train_preamble:
            return {source_part::train_records};
        default:
            return {part};
    }
}

bool in_line_file(source_part part) {
    return part == source_part::line_preamble || part == source_part::line_general ||
           part == source_part::line_records;
}

struct word_match {
    bool exact = false;
    bool other_case = false;
    int edits = 0;
    bool close = false;
};

word_match match_word(std::string_view field, std::string_view word, letter_case rule) {
    word_match match;
    if (rule == letter_case::ignored ? contains_ignoring_case(field, word)
                                     : contains(field, word)) {
        match.exact = true;
        return match;
    }
    if (rule == letter_case::matched && contains_ignoring_case(field, word)) {
        match.other_case = true;
        return match;
    }
    match.edits = edits_to_contain(field, word);
    match.close = match.edits <= edits_allowed(word);
    return match;
}

struct scored_guess {
    keyword_guess guess;
    int score = 0;
};

// A keyword is a guess when each of its words is in the field or close to it, and not all
// of them are there as the keyword is matched.
bool score_keyword(std::string_view field, const keyword& kind, scored_guess& scored) {
    scored = {};
    std::array<std::string_view, 2> words = {kind.word, kind.second_word};
    bool all_exact = true;
    for (const std::string_view word : words) {
        if (word.empty()) {
            continue;
        }
        const word_match match = match_word(field, word, kind.case_rule);
        if (match.exact) {
            continue;
        }
        if (!match.other_case && !match.close) {
            return false;
        }
        all_exact = false;
        if (scored.guess.word.empty()) {
            scored.guess.word = word;
            scored.guess.only_letter_case = match.other_case;
        }
        scored.score += match.other_case ? 0 : match.edits;
    }
    scored.guess.meant = &kind;
    return !all_exact;
}

keyword_guess best_in(std::string_view field, source_part part) {
    scored_guess best;
    bool found = false;
    for (const keyword* kind : keywords_read_in(part)) {
        scored_guess scored;
        if (score_keyword(field, *kind, scored) && (!found || scored.score < best.score)) {
            best = scored;
            best.guess.part = part;
            found = true;
        }
    }
    return found ? best.guess : keyword_guess{};
}

std::string where_read(source_part part, int general_end_line) {
    switch (part) {
        case source_part::line_general:
            return general_end_line > 0 ? "settings are read only in the general part, which "
                                          "ended at the section header on line " +
                                              std::to_string(general_end_line)
                                        : "settings are read only in the general part";
        case source_part::line_records:
            return "records are read only after the general part, which ends at the first "
                   "section header";
        default:
            break;
    }
    return "";
}

// Says which part or file a kind belongs to, seen from the part where the field stands.
std::string belonging(const keyword& kind, source_part kind_part, source_part here,
                      int general_end_line) {
    const std::string named = kind.the_phrase();
    if (in_line_file(kind_part) != in_line_file(here)) {
        return named + " of the " + (in_line_file(kind_part) ? "line" : "train") +
               " file, which the " + (in_line_file(here) ? "line" : "train") +
               " file does not read";
    }
    return named + ", but " + where_read(kind_part, general_end_line);
}

std::string passed_over_tail(int fields_after) {
    if (fields_after <= 0) {
        return "it is passed over";
    }
    return "it is passed over, and so " + std::string(fields_after == 1 ? "is" : "are") + " the " +
           (fields_after == 1 ? std::string("field") : std::to_string(fields_after) + " fields") +
           " after it on this line";
}

// A keyword word that is only the start of the word as written is suggested as written.
std::string_view as_written(std::string_view word) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 3> written = {{
        {"velocit", "velocita'"},
        {"indicat", "indicatore"},
        {"indicatori_v", "indicatori_vmax"},
    }};
    for (const auto& [fragment, whole] : written) {
        if (word == fragment) {
            return whole;
        }
    }
    return word;
}

bool starts_with_digit(std::string_view field) {
    return !field.empty() && field.front() >= '0' && field.front() <= '9';
}

// The fewest edits that turn one word into the other, ignoring letter case.
int edits_between(std::string_view a, std::string_view b) {
    std::vector<int> before_last(b.size() + 1, 0);
    std::vector<int> last(b.size() + 1, 0);
    std::vector<int> row(b.size() + 1, 0);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        last[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = lower(a[i - 1]) == lower(b[j - 1]);
            int best = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
                lower(a[i - 2]) == lower(b[j - 1])) {
                best = std::min(best, before_last[j - 2] + 1);
            }
            row[j] = best;
        }
        std::swap(before_last, last);
        std::swap(last, row);
    }
    return last[b.size()];
}

// A word of a key: letters, digits, "_" and the apostrophe of "velocita'".
bool in_word(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '\'';
}

}  // namespace

std::optional<field_edit> mend_key(std::string_view field, source_part part) {
    if (find_kind_elsewhere(field, part).kind != nullptr || starts_with_digit(field)) {
        return std::nullopt;
    }
    const keyword_guess guess = guess_keyword(field, part);
    if (guess.meant == nullptr || guess.part != part) {
        return std::nullopt;
    }
    const std::string_view wanted = as_written(guess.word);
    // The word of the field nearest to the one wanted is the one the author mistyped.
    std::optional<field_edit> best;
    int fewest = 0;
    for (std::size_t start = 0; start < field.size();) {
        if (!in_word(field[start])) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < field.size() && in_word(field[end])) {
            ++end;
        }
        const int edits = edits_between(field.substr(start, end - start), wanted);
        if (!best || edits < fewest) {
            best = field_edit{start, end - start, std::string(wanted)};
            fewest = edits;
        }
        start = end;
    }
    if (!best || field.substr(best->offset, best->length) == wanted) {
        return std::nullopt;
    }
    return best;
}

int edits_to_contain(std::string_view text, std::string_view word) {
    // Rows of the word's letters against the text's letters; the word may start anywhere in
    // the text, so the first row costs nothing, and it may end anywhere, so the answer is the
    // least of the last row.
    const std::size_t n = text.size();
    std::vector<int> before_last(n + 1, 0);
    std::vector<int> last(n + 1, 0);
    std::vector<int> row(n + 1, 0);
    for (std::size_t i = 1; i <= word.size(); ++i) {
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= n; ++j) {
            const bool same = lower(word[i - 1]) == lower(text[j - 1]);
            int best = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && lower(word[i - 1]) == lower(text[j - 2]) &&
                lower(word[i - 2]) == lower(text[j - 1])) {
                best = std::min(best, before_last[j - 2] + 1);
            }
            row[j] = best;
        }
        std::swap(before_last, last);
        std::swap(last, row);
    }
    return *std::min_element(last.begin(), last.end());
}

keyword_guess guess_keyword(std::string_view field, source_part part) {
    if (field.size() > longest_guessed_field) {
        return {};
    }
    for (const source_part own : parts_of_file(part)) {
        if (const keyword_guess guess = best_in(field, own); guess.meant != nullptr) {
            return guess;
        }
    }
    for (const source_part other : other_parts(part)) {
        if (const keyword_guess guess = best_in(field, other); guess.meant != nullptr) {
            return guess;
        }
    }
    return {};
}

named_elsewhere find_kind_elsewhere(std::string_view field, source_part part) {
    const bool preamble = part == source_part::line_preamble || part == source_part::train_preamble;
    const std::vector<source_part> searched =
        preamble ? parts_of_file(part)
                 : std::vector<source_part>{other_parts(part)[0], other_parts(part)[1]};
    for (const source_part other : searched) {
        for (const keyword* kind : keywords_read_in(other)) {
            if (kind->named_by(field)) {
                return {kind, other};
            }
        }
    }
    return {};
}

std::string quoted_field(std::string_view field) {
    constexpr std::size_t longest_shown = 40;
    if (field.size() > longest_shown) {
        return "\"" + std::string(field.substr(0, longest_shown)) + "...\"";
    }
    return "\"" + std::string(field) + "\"";
}

std::string passed_over_message(std::string_view field, source_part part, int fields_after,
                                int general_end_line) {
    const std::string tail = passed_over_tail(fields_after);
    const named_elsewhere elsewhere = find_kind_elsewhere(field, part);
    if (part == source_part::line_preamble || part == source_part::train_preamble) {
        return quoted_field(field) + " names " + elsewhere.kind->the_phrase() +
               ", but it stands before the \"[generale]\" header, where nothing is read: " + tail;
    }
    if (elsewhere.kind != nullptr) {
        return quoted_field(field) + " names " +
               belonging(*elsewhere.kind, elsewhere.part, part, general_end_line) + ": " + tail;
    }
    const std::string_view nothing = part == source_part::line_general ? "setting" : "record";
    if (starts_with_digit(field)) {
        return "this line starts with the value " + quoted_field(field) + " and names no " +
               std::string(nothing) + ": " + tail + "; a record starts with its keyword";
    }
    std::string message = quoted_field(field) + " names no " + std::string(nothing) + ": " + tail;
    const keyword_guess guess = guess_keyword(field, part);
    if (guess.meant == nullptr) {
        return message;
    }
    message += "; did you mean `" + std::string(as_written(guess.word)) + "`?";
    if (guess.only_letter_case) {
        message += " (this word is matched only as written, in lower case)";
    }
    if (guess.part != part) {
        message += " (" + belonging(*guess.meant, guess.part, part, general_end_line) + ")";
    }
    return message;
}

}  // namespace scenario
