#include "format/scenario_record.h"

namespace scenario {

profilo_linea::profilo_linea(std::int32_t limite_profilo) {
    const auto rows = static_cast<std::size_t>(limite_profilo) + 1;
    for (int colonna = 0; colonna < 2; ++colonna) {
        tags_[colonna].assign(rows, profile_tag::vuoto);
        values_[colonna].assign(rows, 0.0);
    }
}

void profilo_linea::set_intero(std::int32_t riga, int colonna, std::int16_t valore) {
    tags_[colonna][riga] = profile_tag::intero;
    values_[colonna][riga] = valore;
}

void profilo_linea::set_reale(std::int32_t riga, int colonna, double valore) {
    tags_[colonna][riga] = profile_tag::reale;
    values_[colonna][riga] = valore;
}

}  // namespace scenario
