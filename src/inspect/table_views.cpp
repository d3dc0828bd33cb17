#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>

#include "inspect/views.h"

namespace scenario {
namespace {

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::string clock_text(std::int32_t seconds) {
    if (seconds < 0) {
        return format("%d s", seconds);
    }
    return format("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// A text for a CSV field: quoted, with quotes doubled.
std::string csv_text(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

std::string cell_kind_name(std::uint8_t tipo) {
    switch (tipo) {
        case kind::libera:
            return "none";
        case kind::segnale:
            return "signal";
        case kind::fine_rallentamento:
            return "slowdown end";
        case kind::inizio_rallentamento:
            return "slowdown start";
        case kind::avviso_rallentamento:
            return "slowdown warning board";
        case kind::prima_dell_avviso:
            return "cell before a warning board";
        case kind::indicatore_v_max:
            return "maximum-speed board";
        case kind::fine_stazione:
            return "station end";
        case kind::marcatore_montagna:
            return "mountain marker";
        case kind::abbattimento_con_valore:
            return "abbattimento point with a value";
        case kind::abbattimento_senza_valore:
            return "abbattimento point";
        case kind::cartello_indicatore:
            return "indicator board";
        default:
            return format("unknown kind %u", unsigned{tipo});
    }
}

std::string describe_cell_object(const cella& c) {
    switch (c.tipo) {
        case kind::libera:
            return "";
        case kind::segnale:
            return format("signal: codes %d %d %d, kinds %d, wait %u", c.dato1, c.dato2, c.dato3,
                          c.dato4, unsigned{c.extra1});
        case kind::fine_rallentamento:
        case kind::inizio_rallentamento:
        case kind::avviso_rallentamento:
            return cell_kind_name(c.tipo) +
                   format(": %d km/h, value %d, flag %d", c.dato1, c.dato2, c.dato3);
        case kind::prima_dell_avviso:
            return format("cell %d before a warning board", c.dato1);
        case kind::indicatore_v_max:
            return format("maximum-speed board: %d %d %d, stripes %d", c.dato1, c.dato2, c.dato3,
                          c.dato4);
        case kind::fine_stazione:
            return format("end of station in entry %d", c.dato1);
        case kind::abbattimento_con_valore:
            return format("abbattimento point, value %d", c.dato1);
        case kind::cartello_indicatore:
            return format("indicator board, text in entry %d", c.dato1);
        default:
            return cell_kind_name(c.tipo);
    }
}

void print_items_summary(std::ostream& out, const std::array<voce, numero_voci>& voci) {
    out << "route " << single_byte_to_utf8(voci[entry::route].testo) << ", train "
        << single_byte_to_utf8(voci[entry::train].testo) << ", line length "
        << voci[entry::length_and_train].valore2 << " m\n";
    out << "stations:\n";
    for (int k = 1; k <= 80 && (voci[k].tipo != 0 || !voci[k].testo.empty()); ++k) {
        const voce& s = voci[k];
        out << format("  %2d  %-24s type %3u  at %8d m  area %8d .. %8d m  time %s\n", k,
                      single_byte_to_utf8(s.testo).c_str(), unsigned{s.tipo}, s.valore3, s.valore1,
                      s.valore2, clock_text(s.valore4).c_str());
    }
    out << "indicator boards:\n";
    for (int e = 80; e >= 1 && !voci[e].testo.empty(); --e) {
        out << format("  %2d  %s\n", e, single_byte_to_utf8(voci[e].testo).c_str());
    }
}

void print_grid_summary(std::ostream& out, const std::vector<cella>& celle) {
    std::map<int, int> counts;
    for (const cella& c : celle) {
        ++counts[c.tipo];
    }
    out << celle.size() << " cells (0.." << celle.size() - 1 << "), " << celle.size() * 50
        << " m\n";
    for (const auto& [tipo, count] : counts) {
        out << format("  kind %2d  %-32s %6d\n", tipo,
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
        const cella& c = celle[static_cast<std::size_t>(i)];
        out << i << ',' << i * 50 << ',' << int{c.extra5} - 100 << ',' << int{c.extra4} * 5 << ','
            << int{c.extra6} << ',' << int{c.extra3} << ',' << int{c.extra2} << ','
            << csv_text(describe_cell_object(c)) << '\n';
    }
}

}  // namespace scenario
