// The scenario record: the compiler's in-memory model of one scenario. The item table
// `voci` holds the general values, the stations and the board texts; the grid `celle`
// holds one 50-metre cell of track per element with its point object and its per-cell
// series; `profilo` holds the plan of the line, one row per metre. The field types are
// those of the compiled files: 8- and 16-bit fields wrap around like the files do.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/profile_steps.h"

namespace scenario {

inline constexpr int numero_voci = 87;
inline constexpr int cell_metres = 50;
// The longest line the line reader accepts, in metres, and how far the grid and the plan
// reach beyond the line's end: limite_profilo = L + margine_oltre_linea.
inline constexpr std::int32_t lunghezza_massima = 1000000;
inline constexpr std::int32_t margine_oltre_linea = 7000;

// The entries of `voci` that have a meaning of their own. Stations fill the entries from
// first_station upward, the texts of the indicator boards from first_board_text downward;
// entry 0 is not used.
namespace entry {
inline constexpr std::size_t first_station = 1;
inline constexpr std::size_t first_board_text = 80;
// The three kilometre references once ordered: the greatest first value first. As read,
// "progressiva chilometrica tre" goes to 81, "due" to 82, "uno" to 83.
inline constexpr std::size_t greatest_reference = 81;
inline constexpr std::size_t middle_reference = 82;
inline constexpr std::size_t smallest_reference = 83;
// valore1 braked-mass percentage, valore2 line length in metres, valore3 number of coaches.
inline constexpr std::size_t length_and_train = 84;
// valore1/valore2/valore3 backgrounds one/three/two, testo the route identifier, numero1 the
// format stamp, valore4 the position-weighted scenario code.
inline constexpr std::size_t route = 85;
// valore1/valore2 the cab-signalling stretch and valore3 its code count, testo the train
// number, numero1 the sand value, numero3..numero5 the clock at the start of the run.
inline constexpr std::size_t train = 86;
}  // namespace entry

struct voce {
    std::uint8_t tipo = 0;
    std::int32_t valore1 = 0;
    std::int32_t valore2 = 0;
    std::int32_t valore3 = 0;
    std::uint8_t stato = 0;
    std::string testo;
    std::int16_t numero1 = 0;
    std::int16_t numero2 = 0;
    std::int16_t numero3 = 0;
    std::int16_t numero4 = 0;
    std::int16_t numero5 = 0;
    std::uint8_t extra1 = 0;
    std::uint8_t extra2 = 0;
    std::uint8_t extra3 = 0;
    std::uint8_t extra4 = 0;
    std::int32_t valore4 = 0;

    bool operator==(const voce&) const = default;
};

// Cell kinds (`cella::tipo`).
namespace kind {
inline constexpr std::uint8_t libera = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t prima_dell_avviso = 5;
inline constexpr std::uint8_t indicatore_v_max = 6;
inline constexpr std::uint8_t fine_stazione = 10;
inline constexpr std::uint8_t marcatore_montagna = 11;
inline constexpr std::uint8_t abbattimento_con_valore = 12;
inline constexpr std::uint8_t abbattimento_senza_valore = 13;
inline constexpr std::uint8_t cartello_indicatore = 14;
}  // namespace kind

struct cella {
    std::uint8_t tipo = 0;
    std::int16_t dato1 = 0;
    std::int16_t dato2 = 0;
    std::int16_t dato3 = 0;
    std::int16_t dato4 = 0;
    std::uint8_t extra1 = 0;
    std::uint8_t extra2 = 0;
    std::uint8_t extra3 = 0;
    std::uint8_t extra4 = 0;
    std::uint8_t extra5 = 0;
    std::uint8_t extra6 = 0;

    // A cell is free for a new object when it is empty or holds only a mountain marker.
    bool libera() const { return tipo == kind::libera || tipo == kind::marcatore_montagna; }

    bool operator==(const cella&) const = default;
};

// The tag that every element of the plan carries into the compiled line file.
enum class profile_tag : std::uint16_t {
    vuoto = 0,   // empty
    intero = 2,  // 16-bit signed integer
    reale = 5,   // IEEE double
};

// The plan of the line as a table: rows 0..limite_profilo, columns 0 (x) and 1 (y), each
// element a tagged value. Held column by column, which is also the order of the compiled
// file. The compiler itself holds its plan as the steps that make it (profile_steps).
class profilo_linea {
  public:
    explicit profilo_linea(std::int32_t limite_profilo);

    std::int32_t ultima_riga() const { return static_cast<std::int32_t>(tags_[0].size()) - 1; }

    profile_tag tag(std::int32_t riga, int colonna) const { return tags_[colonna][riga]; }
    // The value as a double; an integer element is held exactly.
    double valore(std::int32_t riga, int colonna) const { return values_[colonna][riga]; }

    void set_intero(std::int32_t riga, int colonna, std::int16_t valore);
    void set_reale(std::int32_t riga, int colonna, double valore);

  private:
    std::array<std::vector<profile_tag>, 2> tags_;
    std::array<std::vector<double>, 2> values_;
};

struct scenario_record {
    std::array<voce, numero_voci> voci{};
    std::vector<cella> celle;              // cells 0..ultima_cella once the line length is read
    std::optional<profile_steps> profilo;  // only when compila_linea is non-zero
    std::int32_t compila_linea = 0;
    std::int32_t limite_profilo = 0;
    std::int32_t ultima_cella = 0;
    std::string riga;

    bool has_grid() const { return !celle.empty(); }
};

}  // namespace scenario
