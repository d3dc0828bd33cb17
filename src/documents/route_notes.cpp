#include "documents/route_notes.h"

#include "source/file_access.h"

namespace scenario {

// The route notes, line by line. Grave accents (0x60) follow the vowels that carry an
// accent in Italian; the text is fixed and does not depend on the identity.
const line_table& route_notes_table() {
    static const line_table table = {
        "                Treno 5284 sul percorso Valdora S.M.N.  Rova C.le",
        "",
        " Alcune precisazioni su questo percorso:",
        " - In realta` il treno non termina a Rova Centrale, ma arriva a Livorno.",
        " - Il documento 'Scheda Treno', in estensione a tutte le linee FS, su questa",
        "   linea ancora non esiste.",
        " - Il simulatore considera che il peso delle vetture sia sempre 50 t, pertanto",
        "   le sette vetture con cui e` normalmente composto questo treno, pesano 350 t.",
        "   In realta` l'impostazione dell'orario prevede che il treno sia composto da",
        "   sette vetture di tipo 'media distanza', che pesano di meno, infatti sulla",
        "   'scheda treno' e` indicato il valore 'massa bloccata 300 t'. Questa",
        "   differenza e` poco significativa, tuttavia la si puo` eliminare togliendo",
        "   una vettura; in questo modo il peso delle vetture rientra in quello previsto",
        "   dall'orario.",
        "   Questi valori si riferiscono alle vetture; il peso totale, indicato nel menu`",
        "   'Treno', comprende anche le 80 t della locomotiva.",
        " - L'impostazione dell'orario prevede che la locomotiva di questo treno sia",
        "   un 646. ",
        " - Sul percorso ci sono due rallentamenti, uno dei quali e` da rispettare con",
        "   tutto il treno.",
        " - Se si viaggia alla massima velocita` consentita, ad Empoli si arriva con",
        "   alcuni minuti di anticipo.",
        " - In alcuni punti del percorso si dovra` aspettare che alcuni segnali si",
        "   dispongano a via libera.",
        " ",
        end_marker,
    };
    return table;
}

status dati_note(const std::string& folder, const scenario_identity& identity) {
    return write_line_table(join_path(folder, route_notes_name(identity)), route_notes_table());
}

}  // namespace scenario
