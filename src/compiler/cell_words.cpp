#include "compiler/cell_words.h"

#include "compiler/scenario_record.h"

namespace scenario {

std::string describe_cell_object(std::uint8_t tipo) {
    switch (tipo) {
        case kind::segnale:
            return "a signal";
        case kind::fine_rallentamento:
            return "the end of a slowdown";
        case kind::inizio_rallentamento:
            return "the start of a slowdown";
        case kind::avviso_rallentamento:
            return "a slowdown warning board";
        case kind::prima_dell_avviso:
            return "a cell before a slowdown warning board";
        case kind::indicatore_v_max:
            return "a maximum-speed board";
        case kind::fine_stazione:
            return "a station end";
        case kind::abbattimento_con_valore:
        case kind::abbattimento_senza_valore:
            return "an \"abbattimento\" point";
        case kind::cartello_indicatore:
            return "an indicator board";
        default:
            return "an object of kind " + std::to_string(tipo);
    }
}

}  // namespace scenario
