#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>

#include "compiler/cell_meaning.h"
#include "compiler/cell_words.h"
#include "compiler/item_meaning.h"
#include "inspect/views.h"

namespace scenario {
namespace {

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// A text for a CSV field: quoted, with quotes doubled.
std::string csv_text(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// A number for a CSV field; an empty field for no value.
std::string csv_number(std::optional<int> value) {
    return value ? std::to_string(*value) : "";
}

// The values of a point object as its source record names them.
std::string signal_text(const cella& c) {
    const signal_groups g = unpack_signal(c);
    return format("sx %d, s1 %d, s2 %d, s3 %d, rapp %d, dx %d, d1 %d, d2 %d, d3 %d, tempo %u", g.sx,
                  g.s[0], g.s[1], g.s[2], g.rapp, g.dx, g.d[0], g.d[1], g.d[2], unsigned{c.extra1});
}

std::string speed_board_text(const cella& c) {
    const board_faces faces = unpack_speed_board(c);
    const board_face& l = faces.left;
    const board_face& r = faces.right;
    return format("vas %d, vbs %d, vcs %d, strisces %d, vad %d, vbd %d, vcd %d, strisced %d",
                  l.speeds[0], l.speeds[1], l.speeds[2], l.stripes, r.speeds[0], r.speeds[1],
                  r.speeds[2], r.stripes);
}

std::string object_details(const cella& c) {
    switch (c.tipo) {
        case kind::segnale:
            return signal_text(c);
        case kind::fine_rallentamento:
        case kind::inizio_rallentamento:
        case kind::avviso_rallentamento:
            return format("%d km/h, value %d, flag %d", c.dato1, c.dato2, c.dato3);
        case kind::prima_dell_avviso:
            return format("cell %d of 4", c.dato1);
        case kind::indicatore_v_max:
            return speed_board_text(c);
        case kind::fine_stazione:
            return format("station in entry %d", c.dato1);
        case kind::abbattimento_con_valore:
            return format("value %d", c.dato1);
        case kind::cartello_indicatore:
            return format("text in entry %d", c.dato1);
        default:
            return "";
    }
}

// The object of a cell in words: its kind and the values it holds, unpacked and named as
// its source record names them; empty for a free cell.
std::string describe_cell_contents(const cella& c) {
    if (c.tipo == kind::libera) {
        return "";
    }
    const std::string details = object_details(c);
    return details.empty() ? cell_kind_name(c.tipo) : cell_kind_name(c.tipo) + ": " + details;
}

}  // namespace

void print_items_summary(std::ostream& out, const std::array<voce, numero_voci>& voci) {
    out << "route " << single_byte_to_utf8(voci[entry::route].testo) << ", train "
        << single_byte_to_utf8(voci[entry::train].testo) << ", line length "
        << voci[entry::length_and_train].valore2 << " m\n";
    out << "stations:\n";
    for (const std::size_t k : station_entries(voci)) {
        const voce& s = voci[k];
        const std::optional<std::int32_t> time = timetabled_time(s);
        out << format("  %2zu  %-24s type %3u  at %8d m  area %8d .. %8d m  time %s\n", k,
                      single_byte_to_utf8(s.testo).c_str(), unsigned{s.tipo}, s.valore3, s.valore1,
                      s.valore2, time ? clock_text(*time).c_str() : "none");
    }
    out << "indicator boards:\n";
    for (const std::size_t e : board_text_entries(voci)) {
        out << format("  %2zu  %s\n", e, single_byte_to_utf8(voci[e].testo).c_str());
    }
}

void print_grid_summary(std::ostream& out, const std::vector<cella>& celle) {
    std::map<int, int> counts;
    for (const cella& c : celle) {
        ++counts[c.tipo];
    }
    out << celle.size() << " cells (0.." << celle.size() - 1 << "), " << celle.size() * cell_metres
        << " m\n";
    for (const auto& [tipo, count] : counts) {
        out << format("  kind %2d  %-36s %6d\n", tipo,
                      cell_kind_name(static_cast<std::uint8_t>(tipo)).c_str(), count);
    }
}

void print_line_summary(std::ostream& out, const profilo_linea& profilo) {
    double low[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    double high[2] = {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    std::int32_t last_filled = -1;
    for (std::int32_t riga = 0; riga <= profilo.ultima_riga(); ++riga) {
        for (int colonna = 0; colonna < 2; ++colonna) {
            if (profilo.tag(riga, colonna) != profile_tag::vuoto) {
                low[colonna] = std::min(low[colonna], profilo.valore(riga, colonna));
                high[colonna] = std::max(high[colonna], profilo.valore(riga, colonna));
                last_filled = riga;
            }
        }
    }
    out << profilo.ultima_riga() + 1 << " rows (0.." << profilo.ultima_riga()
        << "), last filled row " << last_filled << "\n";
    if (last_filled >= 0) {
        out << format("x from %.3f to %.3f m\ny from %.3f to %.3f m\n", low[0], high[0], low[1],
                      high[1]);
    }
}

void print_grid_csv(std::ostream& out, const std::vector<cella>& celle, cell_range range) {
    out << "cell,position_m,gradient_per_mille,speed_limit_kmh,adherence,mountain_side,"
           "approach_code,object\n";
    const auto last = static_cast<std::int64_t>(celle.size()) - 1;
    const std::int64_t end = (range.last < 0 || range.last > last) ? last : range.last;
    for (std::int64_t i = std::max<std::int64_t>(range.first, 0); i <= end; ++i) {
        const auto cell = static_cast<std::size_t>(i);
        const cella& c = celle[cell];
        out << i << ',' << cell_start_position(cell) << ','
            << csv_number(gradient_per_mille(celle, cell)) << ','
            << csv_number(speed_limit_kmh(celle, cell)) << ',' << csv_number(adherence(celle, cell))
            << ',' << mountain_side(c) << ',' << approach_code(c) << ','
            << csv_text(describe_cell_contents(c)) << '\n';
    }
}

}  // namespace scenario
