#include <algorithm>
#include <cstdio>
#include <optional>

#include "format/cell_meaning.h"
#include "format/cell_words.h"
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
