#include "format/cell_words.h"

#include <array>

#include "format/scenario_record.h"

namespace scenario {
namespace {

struct kind_words {
    std::uint8_t tipo;
    const char* article;  // how a message brings in the object
    const char* object;   // what the cell holds
    const char* detail;   // what tells the kind from another kind of the same object
};

constexpr std::array<kind_words, 12> kinds = {{
    {kind::libera, "a", "free cell", ""},
    {kind::segnale, "a", "signal", ""},
    {kind::fine_rallentamento, "the", "end of a slowdown", ""},
    {kind::inizio_rallentamento, "the", "start of a slowdown", ""},
    {kind::avviso_rallentamento, "a", "slowdown warning board", ""},
    {kind::prima_dell_avviso, "a", "cell before a slowdown warning board", ""},
    {kind::indicatore_v_max, "a", "maximum-speed board", ""},
    {kind::fine_stazione, "a", "station end", ""},
    {kind::marcatore_montagna, "a", "mountain marker", ""},
    {kind::abbattimento_con_valore, "an", "\"abbattimento\" point", " with a value"},
    {kind::abbattimento_senza_valore, "an", "\"abbattimento\" point", ""},
    {kind::cartello_indicatore, "an", "indicator board", ""},
}};

const kind_words* words_of(std::uint8_t tipo) {
    for (const kind_words& words : kinds) {
        if (words.tipo == tipo) {
            return &words;
        }
    }
    return nullptr;
}

}  // namespace

std::string cell_kind_name(std::uint8_t tipo) {
    if (const kind_words* words = words_of(tipo)) {
        return std::string(words->object) + words->detail;
    }
    return "object of kind " + std::to_string(tipo);
}

std::string describe_cell_object(std::uint8_t tipo) {
    if (const kind_words* words = words_of(tipo)) {
        return std::string(words->article) + " " + words->object;
    }
    return "an object of kind " + std::to_string(tipo);
}

}  // namespace scenario
