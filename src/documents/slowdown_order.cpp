#include "documents/slowdown_order.h"

#include "source/file_access.h"

namespace scenario {

// The slowdown order, line by line: a fixed-pitch form whose spaces are significant.
// The spelling of the printed form ("effettura", "Rallentamneto") is kept as it stands.
const line_table& slowdown_order_table() {
    static const line_table table = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " ________________________________________________________________________________",
        "  Linea  Valdora Rova",
        "",
        "  Si ordina al macchinista del treno 5284 di effettura i seguenti rallentamenti",
        "  _______________________________________________________________________________",
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        " |___|____________________________|____________|__________|_________|____________|",
        " | 1 |    Empoli - S. Miniato     |     36     |    80    |   300   |   ---      |",
        " | 2 | Navacchio - Rova C.le      |     74     |    30    |   100   |    A       |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |   |                            |            |          |         |            |",
        " |___|____________________________|____________|__________|_________|____________|",
        "",
        "              Prescrizioni specifiche",
        " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
        " B - Interessa anche la stazione di.......",
        " D - Rallentamneto N. ... e N. ...  sono contigui",
        " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
        "     i giorni esclusi i seguenti:.........",
        end_marker,
    };
    return table;
}

status dati_rallentamenti(const std::string& folder, const scenario_identity& identity) {
    return write_line_table(join_path(folder, slowdown_order_name(identity)),
                            slowdown_order_table());
}

}  // namespace scenario
