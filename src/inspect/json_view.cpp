#include <nlohmann/json.hpp>

#include "inspect/views.h"

namespace scenario {
namespace {

using json = nlohmann::ordered_json;

json entry_json(int index, const voce& v) {
    return json{{"voce", index},
                {"tipo", v.tipo},
                {"valore1", v.valore1},
                {"valore2", v.valore2},
                {"valore3", v.valore3},
                {"stato", v.stato},
                {"testo", single_byte_to_utf8(v.testo)},
                {"numero1", v.numero1},
                {"numero2", v.numero2},
                {"numero3", v.numero3},
                {"numero4", v.numero4},
                {"numero5", v.numero5},
                {"extra1", v.extra1},
                {"extra2", v.extra2},
                {"extra3", v.extra3},
                {"extra4", v.extra4},
                {"valore4", v.valore4}};
}

json cell_json(std::size_t index, const cella& c) {
    return json{{"cella", index},     {"tipo", c.tipo},     {"dato1", c.dato1},
                {"dato2", c.dato2},   {"dato3", c.dato3},   {"dato4", c.dato4},
                {"extra1", c.extra1}, {"extra2", c.extra2}, {"extra3", c.extra3},
                {"extra4", c.extra4}, {"extra5", c.extra5}, {"extra6", c.extra6}};
}

json element_json(const profilo_linea& profilo, std::int32_t riga, int colonna) {
    const profile_tag tag = profilo.tag(riga, colonna);
    json value = nullptr;
    if (tag == profile_tag::intero) {
        value = static_cast<std::int16_t>(profilo.valore(riga, colonna));
    } else if (tag == profile_tag::reale) {
        value = profilo.valore(riga, colonna);
    }
    return json{{"tag", static_cast<int>(tag)}, {"value", value}};
}

// Large tables are streamed one element at a time rather than built as one document.
template <typename Element>
void print_array(std::ostream& out, const char* name, std::size_t first, std::size_t end,
                 Element element) {
    out << "  \"" << name << "\": [";
    for (std::size_t i = first; i < end; ++i) {
        out << (i == first ? "\n    " : ",\n    ") << element(i).dump();
    }
    out << "\n  ]\n}\n";
}

}  // namespace

void print_items_json(std::ostream& out, const std::array<voce, numero_voci>& voci) {
    out << "{\n  \"file\": \"items\",\n";
    print_array(out, "voci", 0, voci.size(),
                [&](std::size_t i) { return entry_json(static_cast<int>(i), voci[i]); });
}

void print_grid_json(std::ostream& out, const std::vector<cella>& celle, cell_range range) {
    const auto last = static_cast<std::int64_t>(celle.size()) - 1;
    const std::int64_t end = (range.last < 0 || range.last > last) ? last : range.last;
    const std::int64_t first = range.first < 0 ? 0 : range.first;
    out << "{\n  \"file\": \"grid\",\n  \"ultima_cella\": " << last << ",\n";
    print_array(out, "celle", static_cast<std::size_t>(first),
                first > end ? static_cast<std::size_t>(first) : static_cast<std::size_t>(end) + 1,
                [&](std::size_t i) { return cell_json(i, celle[i]); });
}

void print_line_json(std::ostream& out, const profilo_linea& profilo, cell_range rows) {
    const std::int64_t last = profilo.ultima_riga();
    const std::int64_t end = (rows.last < 0 || rows.last > last) ? last : rows.last;
    const std::int64_t first = rows.first < 0 ? 0 : rows.first;
    out << "{\n  \"file\": \"line\",\n  \"limite_profilo\": " << last << ",\n";
    print_array(out, "profilo", static_cast<std::size_t>(first),
                first > end ? static_cast<std::size_t>(first) : static_cast<std::size_t>(end) + 1,
                [&](std::size_t i) {
                    const auto riga = static_cast<std::int32_t>(i);
                    return json{{"riga", riga},
                                {"x", element_json(profilo, riga, 0)},
                                {"y", element_json(profilo, riga, 1)}};
                });
}

}  // namespace scenario
