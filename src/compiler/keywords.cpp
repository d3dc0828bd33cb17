#include "compiler/keywords.h"

#include "compiler/source_cursor.h"

namespace scenario {
namespace {

using namespace keywords;

constexpr std::array<const keyword*, 8> line_settings = {
    &lunghezza_percorso, &progressiva_tre, &progressiva_due, &progressiva_uno,
    &sfondo_uno,         &sfondo_due,      &sfondo_tre,      &ripetizione_segnali};
constexpr std::array<const keyword*, 5> line_records = {&pendenza, &curva, &montagna,
                                                        &indicatori_vmax, &cartello_indicatore};
constexpr std::array<const keyword*, 10> train_records = {
    &massa_frenata, &vetture, &velocita,      &aderenza,     &orologio,
    &sabbia,        &segnale, &rallentamento, &abbattimento, &stazione};

}  // namespace

bool keyword::named_by(std::string_view key) const {
    const auto holds = [&](std::string_view wanted) {
        return case_rule == letter_case::ignored ? contains_ignoring_case(key, wanted)
                                                 : contains(key, wanted);
    };
    return holds(word) && (second_word.empty() || holds(second_word));
}

std::string keyword::the_phrase() const {
    return "the " + std::string(name) + " " + std::string(noun());
}

std::string keyword::the_phrase_at(std::int64_t position) const {
    return the_phrase() + " at " + std::to_string(position) + " m";
}

std::string keyword::a_phrase() const {
    if (setting) {
        return the_phrase();
    }
    // The article goes by the sound of the keyword's first letter, as it is read aloud.
    const bool vowel =
        !name.empty() && std::string_view("aeiou").find(name.front()) != std::string_view::npos;
    return (vowel ? "an " : "a ") + std::string(name) + " record";
}

std::span<const keyword* const> keywords_read_in(source_part part) {
    switch (part) {
        case source_part::line_general:
            return line_settings;
        case source_part::line_records:
            return line_records;
        case source_part::train_records:
            return train_records;
        case source_part::line_preamble:
        case source_part::train_preamble:
            break;
    }
    return {};
}

bool is_section_header(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    return contains(field, "[") && contains(field, "]") && first != std::string_view::npos &&
           field[first] != '-';
}

bool is_unclosed_header(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos || contains(field, "-")) {
        return false;
    }
    const std::size_t last = field.find_last_not_of(' ');
    return (field[first] == '[' && !contains(field, "]")) ||
           (field[last] == ']' && !contains(field, "["));
}

}  // namespace scenario
