// A small clean scenario written the way a new author writes one from the authors' guide: a
// 12 km line with gradients, two curves, boards and a mountain-side stretch, and a train with
// three stations, a slowdown and three signals. A mistake replaces one line of one file with
// the lines it gives, so that every mistake is applied to the same clean scenario.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::testing_support {

inline std::vector<std::string> clean_line_lines() {
    return {"Linea del lago",
            "",
            "[generale]",
            "lunghezza percorso,    12000",
            "progressiva chilometrica uno,    0,    0,    0",
            "progressiva chilometrica due,    0,    0,    0",
            "progressiva chilometrica tre,    0,    0,    0",
            "sfondo uno,    1",
            "sfondo due,    0",
            "sfondo tre,    0",
            "ripetizione segnali 4 codici,    1000,    11000",
            "[pendenze]",
            "pendenza  , 500    , 4",
            "pendenza  , 2000   , 0",
            "pendenza  , 6000   , -3",
            "pendenza  , 7000   , 0",
            "[curve]",
            "curvas3,  3000,  400",
            "- il ponte",
            "curvad4,  8000,  300",
            "[cartelli]",
            "indicatori_vmax, 2500, 90, 95, 100, 0, 90, 95, 100, 0",
            "[montagne]",
            "montagna, 9000,9400,1",
            "[indicazioni]",
            "cartello indicatore,  5000,    (  Km. ) (5.000)",
            "[fine]"};
}

inline std::vector<std::string> clean_train_lines() {
    return {"Treno 101",
            "",
            "[generale]",
            "numero vetture,    4",
            "percentuale massa frenata,    110",
            "sabbia,    300",
            "orologio,    8  15  0",
            "aderenza,  0, 100",
            "velocita' limite ,     0    ,  60",
            "velocita' limite ,  1500    ,  100",
            "- pos  tipo lung tps tab mar d2 d3 rap d1 d2 d3 ac h m s name",
            "stazione,      0,  8, 400,  1, 0, 0,   4,0,0,  2,1,0,  1,  8,15, 0, LAGO",
            "stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,20, 0, PORTO",
            "stazione,  10000,  2, 600,  1, 0, 0,   1,1,0,  4,1,1,  0,  8,27, 0, MONTE",
            "[rallentamenti]",
            "rallentamento,   7000, 60, 200, 0, 1, 0",
            "[segnali]",
            "segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0",
            "segnale,   3000, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0",
            "segnale,   8500, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0",
            "[fine]"};
}

// One line (counted from 1) of a file replaced by the lines given: none takes it out, several
// put more lines in its place.
struct line_change {
    int line = 0;
    std::vector<std::string> lines;
};

inline std::vector<std::string> changed(std::vector<std::string> lines,
                                        const std::vector<line_change>& changes) {
    // From the last line up, so that the line numbers of the changes stay those of the
    // clean file.
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const auto at = lines.begin() + (change->line - 1);
        lines.erase(at);
        lines.insert(lines.begin() + (change->line - 1), change->lines.begin(),
                     change->lines.end());
    }
    return lines;
}

// FNV-1a of a file's bytes, 64 bits: a compact record of compiled bytes to compare with.
inline std::uint64_t fnv1a_64(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace scenario::testing_support
