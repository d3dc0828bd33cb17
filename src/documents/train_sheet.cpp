#include "documents/train_sheet.h"

#include "source/file_access.h"

namespace scenario {

// The train sheet, line by line: a fixed-pitch layout whose leading, inner and trailing
// spaces are all significant.
const line_table& train_sheet_table() {
    static const line_table table = {
        "8",
        " ",
        "  ___________________                                                ______________",
        " |                   |                  SCHEDA                      |              |",
        " |   TRENO n. 5284   |                da: VALDORA S.M.N.            |    V160 B    |",
        " |___________________|                 a: ROVA C.le                 |     120%     |",
        "                                                                    |______________|",
        "  ___________________                ___________________ ",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
        " |     REGIONALE     |              |      300T         |",
        " |___________________|              |___________________|  ",
        "",
        "  ________________________________________________________________________________",
        " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |",
        " | Lim.|Marc.|          | Rs  |                            |                |     |",
        " |_____|_____|__________|_____|____________________________|________________|_____|",
        " |  30 |     |    0     |  30 | VALDORA S.M.N.             |          13.25 |     |",
        " | 115 |     |    0.600 | 115 | Deviatoio di uscita        |      13.27     |     |",
        " |  95 |     |    2.760 |  95 | VALDORA RIFREDI            | 13.30    13.32 | 0.5 |",
        " | 130 |     |    7.380 | 120 | VALDORA CASCINE            |      13.39     | 3.5 |",
        " |     |     |   11.970 |     | S. DONNINO                 |      13.41     | 0.5 |",
        " | 115 |     |   15.000 | 115 | Cippo chilometro 15.000    |      13.42     |     |",
        " |     |     |          |     | SIGNA                      |      13.43     | 0.5 |",
        " | 100 |     |   17.000 | 100 | Cippo chilometro 17.000    |      13.44     |     |",
        " |  90 |     |   18.600 |  90 | Km 18.600                  |      13.45     |     | ",
        " |     |     |   19.150 |     | CARMIGNANO                 |      13.46     |     |",
        " |  80 |     |   20.800 |  80 | Km 20.800                  |      13.47     |     |",
        " |  90 |     |   22.150 |  90 | P.te fiume Arno Km 22.15   |      13.48     |     |",
        " | 150 |     |   27.560 | 120 | MONTELUPO F.no             |      13.51     |     |",
        " | 160 |     |   30.000 |     | Cippo chilometro 30.000    |      13.52     |     |",
        " | 150 |     |   32.600 |     | Seg. protezione Empoli     |      13.53     |     |",
        " |     |     |   33.780 |     | EMPOLI                     | 13.56    13.57 | 1   |",
        " | 160 |     |   34.700 |     | Km. 34.700                 |      13.58     |     |",
        " | 150 |     |   42.150 |     | Seg. protezione S.Miniato  |      14.02     |     | ",
        " |     |     |   43.400 |     | S.MINIATO                  |      14.03     | 0.5 |",
        " | 130 |     |   47.950 |     | Seg. protezione S.Romano   |      14.05     |     | ",
        " |     |     |   49.320 |     | S.ROMANO                   |      14.06     | 0.5 |",
        " | 160 |     |   50.740 |     | Km. 50.740                 |      14.07     |     |",
        " |     |     |   56.810 |     | La ROTTA                   |      14.10     | 0.5 |",
        " | 150 |     |   60.570 |     | Seg. protezione Pontedera  |      14.13     |     |",
        " |     |     |   61.420 |     | PONTEDERA                  | 14.14    14.15 | 1   | ",
        " | 160 |     |   62.600 |     | Km. 62.600                 |      14.16     |     |",
        " | 150 |     |   67.100 |     | Km. 67.100                 |      14.18     |     | ",
        " |     |     |   68.300 |     | CASCINA                    |      14.19     |     | ",
        " | 130 |     |   70.650 |     | S.FREDIANO                 |      14.20     |     |  ",
        " |     |     |   73.200 |     | NAVACCHIO                  |      14.22     | 0.5 | ",
        " |     |     |   80.840 |     | ROVA                       | 14.29          | 1.5 |",
        " |_____|_____|__________|_____|____________________________|________________|_____|",
        end_marker,
    };
    return table;
}

status dati_scheda(const std::string& folder, const scenario_identity& identity) {
    return write_line_table(join_path(folder, train_sheet_name(identity)), train_sheet_table());
}

}  // namespace scenario
