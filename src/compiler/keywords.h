// The keywords of the two source formats, named once: the words that a key field must hold
// for each setting of the line file's general part, each record of its record part and each
// record of the train file, how many value fields follow the key, and how messages name it:
// by the keyword as an author writes it ("the segnale record"), never by a translation.
// The readers dispatch on them; the checks that tell an author about a key that names nothing
// compare a field with them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

// Whether a word is found in a key whatever the case of its letters, or only as written.
enum class letter_case { ignored, matched };

struct keyword {
    std::string_view word;
    std::string_view second_word;  // also required when not empty
    std::string_view name;         // "pendenza", "velocita' limite", "sfondo uno"
    int values;                    // the fields that follow the key
    bool setting = false;          // a setting of the general part, else a record
    bool positioned = true;        // its first value is a position in metres
    letter_case case_rule = letter_case::ignored;

    // The key holds the word, and the second word too when there is one, by the case rule.
    bool named_by(std::string_view key) const;
    // "setting" or "record".
    std::string_view noun() const { return setting ? "setting" : "record"; }
    // "the segnale record", "the sfondo uno setting".
    std::string the_phrase() const;
    // "the segnale record at 3000 m": a record by its position as written.
    std::string the_phrase_at(std::int64_t position) const;
    // "a segnale record", "an aderenza record"; a setting, of which a file holds one, is
    // "the sfondo uno setting".
    std::string a_phrase() const;
};

namespace keywords {

// The line file's general part. Only the line length is named in either case; the other
// words must stand in lower case.
inline constexpr keyword lunghezza_percorso{"lunghezza", "percorso", "lunghezza percorso",
                                            1,           true,       false};
inline constexpr keyword progressiva_tre{
    "tre", "progressiva", "progressiva chilometrica tre", 3, true, false, letter_case::matched};
inline constexpr keyword progressiva_due{
    "due", "progressiva", "progressiva chilometrica due", 3, true, false, letter_case::matched};
inline constexpr keyword progressiva_uno{
    "uno", "progressiva", "progressiva chilometrica uno", 3, true, false, letter_case::matched};
inline constexpr keyword sfondo_uno{"sfondo", "uno", "sfondo uno",        1,
                                    true,     false, letter_case::matched};
inline constexpr keyword sfondo_due{"sfondo", "due", "sfondo due",        1,
                                    true,     false, letter_case::matched};
inline constexpr keyword sfondo_tre{"sfondo", "tre", "sfondo tre",        1,
                                    true,     false, letter_case::matched};
inline constexpr keyword ripetizione_segnali{"segnali", "ripetizione", "ripetizione segnali", 2,
                                             true,      false,         letter_case::matched};

// The line file's record part.
inline constexpr keyword pendenza{"pendenza", "", "pendenza", 2};
inline constexpr keyword curva{"curva", "", "curva", 2};
inline constexpr keyword montagna{"montagna", "", "montagna", 3};
inline constexpr keyword indicatori_vmax{"indicatori_v", "", "indicatori_vmax", 9};
inline constexpr keyword cartello_indicatore{"cartello", "indicat", "cartello indicatore", 2};

// The train file.
inline constexpr keyword massa_frenata{"frenata", "massa", "percentuale massa frenata",
                                       1,         false,   false};
inline constexpr keyword vetture{"vetture", "", "numero vetture", 1, false, false};
inline constexpr keyword velocita{"velocit", "", "velocita' limite", 2};
inline constexpr keyword aderenza{"aderenza", "", "aderenza", 2};
inline constexpr keyword orologio{"orologio", "", "orologio", 3, false, false};
inline constexpr keyword sabbia{"sabbia", "", "sabbia", 1, false, false};
inline constexpr keyword segnale{"segnale", "", "segnale", 11};
inline constexpr keyword rallentamento{"rallentamento", "", "rallentamento", 6};
inline constexpr keyword abbattimento{"abbattimento", "", "abbattimento", 2};
// Sixteen numbers and the name.
inline constexpr keyword stazione{"stazione", "", "stazione", 17};

}  // namespace keywords

// Where a field stands in a source file, for the keywords that are read there.
enum class source_part {
    line_preamble,   // before the line file's "[generale]": nothing is read
    line_general,    // the settings
    line_records,    // after the first section header
    train_preamble,  // before the train file's "[generale]"
    train_records,
};

// The keywords read in a part, in the order in which a key is tested for them; none in a
// preamble.
std::span<const keyword* const> keywords_read_in(source_part part);

// A field that holds both "[" and "]" and does not begin with "-" is a section header: in the
// line file the first one ends the general part; elsewhere headers are passed over.
bool is_section_header(std::string_view field);
// A field that opens a section header without closing it ("[pendenze"), or closes one without
// opening it ("pendenze]"): no header at all.
bool is_unclosed_header(std::string_view field);

}  // namespace scenario
