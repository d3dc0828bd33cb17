#include "inspect/author_fields.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "compiler/record_fields.h"
#include "format/cell_words.h"
#include "format/item_meaning.h"

namespace scenario {

bool placed_part::operator==(const placed_part& other) const {
    return at == other.at && fields == other.fields;
}

bool field_value::operator==(const field_value& other) const {
    return name == other.name && value == other.value && unit == other.unit;
}

namespace {

field_value number(std::string name, std::int64_t value, std::string unit = "") {
    return {std::move(name), value, std::move(unit)};
}

field_value text(std::string name, std::string value) {
    return {std::move(name), std::move(value), ""};
}

// A value of column `column` of a record (from 0, in file order), under the name that the
// table of the record's fields gives it.
field_value column(const keyword& kind, std::size_t column, std::int64_t value,
                   std::string unit = "") {
    return number(std::string(field_name(kind, column)), value, std::move(unit));
}

// The value of a column that the compiled files did not keep: none.
field_value column_not_kept(const keyword& kind, std::size_t column) {
    return {std::string(field_name(kind, column)), std::monostate{}, ""};
}

field_value place(std::string name, std::optional<line_place> at) {
    if (!at) {
        return {std::move(name), std::monostate{}, ""};
    }
    return {std::move(name), *at, ""};
}

std::string two_digit_clock(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
    char clock[64];
    std::snprintf(clock, sizeof clock, "%02lld:%02lld:%02lld", static_cast<long long>(hours),
                  static_cast<long long>(minutes), static_cast<long long>(seconds));
    return clock;
}

described_object station_object(const station_description& station) {
    using keywords::stazione;
    field_list fields = {
        text(std::string(field_name(stazione, 16)), station.nome),
        column(stazione, 1, station.tipo),
        station.lung ? column(stazione, 2, station.lung->lung, "m") : column_not_kept(stazione, 2),
        number("area from", station.area_start, "m"),
        number("area to", station.area_end, "m"),
        column(stazione, 3, station.tps),
        column(stazione, 4, station.tab),
        column(stazione, 5, station.mar),
        column(stazione, 6, station.first_d2),
        column(stazione, 7, station.first_d3),
        column(stazione, 8, station.rap),
        column(stazione, 9, station.second_d1),
        column(stazione, 10, station.second_d2),
        column(stazione, 11, station.second_d3),
        column(stazione, 12, station.ac),
        station.time == 0 ? field_value{"time", {}, ""} : text("time", time_text(station)),
        place("end",
              station.end_cell ? std::optional(point_place(*station.end_cell)) : std::nullopt),
    };
    return {"station", station.nome, {station.pos, std::nullopt}, std::move(fields)};
}

described_object signal_object(const signal_description& signal) {
    using keywords::segnale;
    const signal_groups& g = signal.values;
    return {"signal",
            "",
            signal.at,
            {column(segnale, 1, g.sx), column(segnale, 2, g.s[0]), column(segnale, 3, g.s[1]),
             column(segnale, 4, g.s[2]), column(segnale, 5, g.rapp), column(segnale, 6, g.dx),
             column(segnale, 7, g.d[0]), column(segnale, 8, g.d[1]), column(segnale, 9, g.d[2]),
             column(segnale, 10, signal.tempo)}};
}

std::vector<placed_part> point_parts(const std::vector<abbattimento_point>& points) {
    std::vector<placed_part> parts;
    parts.reserve(points.size());
    for (const abbattimento_point& point : points) {
        parts.push_back({point.at,
                         {point.value ? column(keywords::abbattimento, 1, *point.value)
                                      : column_not_kept(keywords::abbattimento, 1)}});
    }
    return parts;
}

described_object slowdown_object(const slowdown_description& slowdown) {
    using keywords::rallentamento;
    field_list fields = {
        column(rallentamento, 1, slowdown.v, "km/h"),
        column(rallentamento, 2, slowdown.length(), "m"),
        place("end", slowdown.end),
        column(rallentamento, 3, slowdown.f_tt),
        column(rallentamento, 4,
               slowdown.cells_before_board == 4 ? 1 : slowdown.cells_before_board),
        column(rallentamento, 5, slowdown.d_v),
        place("warning board", slowdown.warning_board),
        {"points", point_parts(slowdown.points), ""},
    };
    return {"slowdown", "", slowdown.start, std::move(fields)};
}

described_object speed_board_object(const speed_board_description& board) {
    const board_face& l = board.faces.left;
    const board_face& r = board.faces.right;
    using keywords::indicatori_vmax;
    return {"maximum-speed board",
            "",
            board.at,
            {column(indicatori_vmax, 1, l.speeds[0]), column(indicatori_vmax, 2, l.speeds[1]),
             column(indicatori_vmax, 3, l.speeds[2]), column(indicatori_vmax, 4, l.stripes),
             column(indicatori_vmax, 5, r.speeds[0]), column(indicatori_vmax, 6, r.speeds[1]),
             column(indicatori_vmax, 7, r.speeds[2]), column(indicatori_vmax, 8, r.stripes)}};
}

described_object indicator_board_object(const indicator_board_description& board) {
    return {"indicator board",
            "",
            board.at,
            {text(std::string(field_name(keywords::cartello_indicatore, 1)), board.text)}};
}

described_object point_object(const abbattimento_point& point) {
    return {"abbattimento point", "", point.at, point_parts({point}).front().fields};
}

described_object mountain_object(const mountain_stretch& stretch) {
    std::vector<placed_part> markers;
    for (const std::int64_t cell : stretch.markers) {
        markers.push_back({start_place(cell), {}});
    }
    return {"mountain-side stretch",
            "",
            start_place(stretch.first_cell),
            {column(keywords::montagna, 1, start_place(stretch.last_cell + 1).metre, "m"),
             number("last cell", stretch.last_cell),
             column(keywords::montagna, 2, stretch.side),
             {"markers", std::move(markers), ""}}};
}

described_object curve_object(const curve_description& curve) {
    std::string key;
    if (curve.digit > 0) {
        key = std::string("curva") + (curve.left ? "s" : "d") + std::to_string(curve.digit);
    } else {
        char written[64];
        std::snprintf(written, sizeof written, "curvature %.6g", curve.curvature);
        key = written;
    }
    const auto radius = static_cast<std::int64_t>(std::lround(1.0 / std::fabs(curve.curvature)));
    return {"curve",
            "",
            {curve.inizio, std::nullopt},
            {text("key", key), number("length", curve.length, "m"), number("radius", radius, "m")}};
}

described_object other_object_of(const other_object& other) {
    const cella& c = other.contents;
    return {"other object",
            "",
            other.at,
            {text("kind", cell_kind_name(c.tipo)), number("tipo", c.tipo), number("dato1", c.dato1),
             number("dato2", c.dato2), number("dato3", c.dato3), number("dato4", c.dato4),
             number("extra1", c.extra1)}};
}

template <typename object, typename make>
void add_all(std::vector<described_object>& objects, const std::vector<object>& from, make made) {
    for (const object& one : from) {
        objects.push_back(made(one));
    }
}

}  // namespace

std::string field_key(const std::string& name) {
    std::string key;
    for (const char c : name) {
        if (c == ' ' || c == '-') {
            key += '_';
        } else if (c != '.' && c != '\'') {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

std::string place_text(const line_place& at) {
    std::string text = std::to_string(at.metre) + " m";
    if (at.cell) {
        text += " (cell " + std::to_string(*at.cell) + ")";
    }
    return text;
}

std::string time_text(const station_description& station) {
    return station.time == 0 ? std::string() : clock_text(station.time);
}

std::string value_text(const field_value& field) {
    struct visitor {
        const field_value& field;
        std::string operator()(std::monostate) const { return "none"; }
        std::string operator()(std::int64_t number) const {
            return std::to_string(number) + (field.unit.empty() ? "" : " " + field.unit);
        }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(const line_place& at) const { return place_text(at); }
        std::string operator()(const std::vector<placed_part>& parts) const {
            if (parts.empty()) {
                return "none";
            }
            std::string text;
            for (const placed_part& part : parts) {
                text += (text.empty() ? "" : ", ") + place_text(part.at);
                for (const field_value& inner : part.fields) {
                    text += " " + inner.name + " " + value_text(inner);
                }
            }
            return text;
        }
    };
    return std::visit(visitor{field}, field.value);
}

const std::vector<object_category>& object_categories() {
    static const std::vector<object_category> categories = {
        {"station", "stations", "stations"},
        {"signal", "signals", "signals"},
        {"slowdown", "slowdowns", "slowdowns"},
        {"maximum-speed board", "maximum-speed boards", "maximum_speed_boards"},
        {"indicator board", "indicator boards", "indicator_boards"},
        {"abbattimento point", "abbattimento points", "abbattimento_points"},
        {"mountain-side stretch", "mountain-side stretches", "mountain_side_stretches"},
        {"curve", "curves, as the plan draws them", "curves"},
        {"other object", "other objects", "other_objects"},
    };
    return categories;
}

std::vector<described_object> objects_of(const scenario_description& description) {
    std::vector<described_object> objects;
    add_all(objects, description.stations, station_object);
    add_all(objects, description.signals, signal_object);
    add_all(objects, description.slowdowns, slowdown_object);
    add_all(objects, description.speed_boards, speed_board_object);
    add_all(objects, description.indicator_boards, indicator_board_object);
    add_all(objects, description.points, point_object);
    add_all(objects, description.mountains, mountain_object);
    if (description.plan) {
        add_all(objects, description.plan->curves, curve_object);
    }
    add_all(objects, description.other_objects, other_object_of);
    return objects;
}

field_list general_fields(const scenario_description& description) {
    const general_values& g = description.general;
    field_list fields = {
        text("route", g.route),
        text("train", g.train),
        number("lunghezza percorso", g.lunghezza_percorso, "m"),
        number("percentuale massa frenata", g.percentuale_massa_frenata),
        number("numero vetture", g.numero_vetture),
        number("sabbia", g.sabbia),
        text("orologio", two_digit_clock(g.orologio[0], g.orologio[1], g.orologio[2])),
        number("sfondo uno", g.sfondo[0]),
        number("sfondo due", g.sfondo[1]),
        number("sfondo tre", g.sfondo[2]),
        number("ripetizione segnali start", description.cab_signals.start, "m"),
        number("ripetizione segnali end", description.cab_signals.end, "m"),
        number("ripetizione segnali codes", description.cab_signals.codes),
    };
    const char* const names[3] = {"uno", "due", "tre"};
    for (std::size_t k = 0; k < 3; ++k) {
        const kilometre_reference& reference = description.references[k];
        const std::string head = std::string("progressiva chilometrica ") + names[k];
        fields.push_back(number(head + " position", reference.position, "m"));
        fields.push_back(number(head + " value", reference.value_as_written(), "m"));
        fields.push_back(number(head + " flag", reference.flag));
    }
    return fields;
}

std::vector<described_series> series_of(const scenario_description& description) {
    return {{"gradient", "gradients", "per mille", &description.gradients},
            {"speed limit", "speed limits", "km/h", &description.speed_limits},
            {"adherence", "adherence", "", &description.adherence}};
}

std::int64_t range_from_metre(const series_range& range) {
    return start_place(range.first_cell).metre;
}

std::int64_t range_to_metre(const series_range& range) {
    return start_place(range.last_cell + 1).metre;
}

}  // namespace scenario
