// The parts of a comparison that look at the compiled tables themselves: the plans row by
// row, and, when nothing in the authors' terms differs, the fields of the item table and the
// grid, so that two scenarios are only ever called the same when their files are.
#include <algorithm>
#include <cmath>

#include "inspect/scenario_difference.h"
#include "source/code_page.h"

namespace scenario {
namespace {

// The raw differences shown when nothing else explains them.
constexpr std::size_t raw_changes_shown = 10;

bool filled(const profilo_linea& plan, std::int32_t riga) {
    return plan.tag(riga, 0) != profile_tag::vuoto && plan.tag(riga, 1) != profile_tag::vuoto;
}

bool same_row(const profilo_linea& a, const profilo_linea& b, std::int32_t riga) {
    for (int colonna = 0; colonna < 2; ++colonna) {
        if (a.tag(riga, colonna) != b.tag(riga, colonna) ||
            a.valore(riga, colonna) != b.valore(riga, colonna)) {
            return false;
        }
    }
    return true;
}

struct raw_fields {
    std::vector<raw_change>& shown;
    std::size_t& total;

    void compare(const std::string& where, const std::string& old_value,
                 const std::string& new_value) {
        if (old_value == new_value) {
            return;
        }
        ++total;
        if (shown.size() < raw_changes_shown) {
            shown.push_back({where, old_value, new_value});
        }
    }
    void compare(const std::string& where, std::int64_t old_value, std::int64_t new_value) {
        compare(where, std::to_string(old_value), std::to_string(new_value));
    }
};

void compare_entries(const compiled_tables& a, const compiled_tables& b, raw_fields& raw) {
    for (std::size_t k = 0; k < a.voci.size(); ++k) {
        const voce& x = a.voci[k];
        const voce& y = b.voci[k];
        const std::string at = "entry " + std::to_string(k) + " ";
        raw.compare(at + "tipo", x.tipo, y.tipo);
        raw.compare(at + "valore1", x.valore1, y.valore1);
        raw.compare(at + "valore2", x.valore2, y.valore2);
        raw.compare(at + "valore3", x.valore3, y.valore3);
        raw.compare(at + "stato", x.stato, y.stato);
        raw.compare(at + "testo", single_byte_to_utf8(x.testo), single_byte_to_utf8(y.testo));
        raw.compare(at + "numero1", x.numero1, y.numero1);
        raw.compare(at + "numero2", x.numero2, y.numero2);
        raw.compare(at + "numero3", x.numero3, y.numero3);
        raw.compare(at + "numero4", x.numero4, y.numero4);
        raw.compare(at + "numero5", x.numero5, y.numero5);
        raw.compare(at + "extra1", x.extra1, y.extra1);
        raw.compare(at + "extra2", x.extra2, y.extra2);
        raw.compare(at + "extra3", x.extra3, y.extra3);
        raw.compare(at + "extra4", x.extra4, y.extra4);
        raw.compare(at + "valore4", x.valore4, y.valore4);
    }
}

void compare_cells(const compiled_tables& a, const compiled_tables& b, raw_fields& raw) {
    raw.compare("grid cells", static_cast<std::int64_t>(a.celle.size()),
                static_cast<std::int64_t>(b.celle.size()));
    const std::size_t count = std::min(a.celle.size(), b.celle.size());
    for (std::size_t i = 0; i < count; ++i) {
        const cella& x = a.celle[i];
        const cella& y = b.celle[i];
        if (x == y) {
            continue;
        }
        const std::string at = "cell " + std::to_string(i) + " ";
        raw.compare(at + "tipo", x.tipo, y.tipo);
        raw.compare(at + "dato1", x.dato1, y.dato1);
        raw.compare(at + "dato2", x.dato2, y.dato2);
        raw.compare(at + "dato3", x.dato3, y.dato3);
        raw.compare(at + "dato4", x.dato4, y.dato4);
        raw.compare(at + "extra1", x.extra1, y.extra1);
        raw.compare(at + "extra2", x.extra2, y.extra2);
        raw.compare(at + "extra3", x.extra3, y.extra3);
        raw.compare(at + "extra4", x.extra4, y.extra4);
        raw.compare(at + "extra5", x.extra5, y.extra5);
        raw.compare(at + "extra6", x.extra6, y.extra6);
    }
}

}  // namespace

std::optional<plan_change> compare_plans(const std::optional<profilo_linea>& old_plan,
                                         const std::optional<profilo_linea>& new_plan) {
    if (!old_plan && !new_plan) {
        return std::nullopt;
    }
    plan_change change;
    change.old_has_plan = old_plan.has_value();
    change.new_has_plan = new_plan.has_value();
    change.old_last_row = old_plan ? old_plan->ultima_riga() : -1;
    change.new_last_row = new_plan ? new_plan->ultima_riga() : -1;
    if (!old_plan || !new_plan) {
        return change;
    }
    const std::int32_t common = std::min(old_plan->ultima_riga(), new_plan->ultima_riga());
    bool rows_differ = false;
    for (std::int32_t riga = 0; riga <= common; ++riga) {
        if (same_row(*old_plan, *new_plan, riga)) {
            continue;
        }
        rows_differ = true;
        if (!filled(*old_plan, riga) || !filled(*new_plan, riga)) {
            continue;
        }
        if (!change.first_parting_metre) {
            change.first_parting_metre = riga;
        }
        const double distance = std::hypot(new_plan->valore(riga, 0) - old_plan->valore(riga, 0),
                                           new_plan->valore(riga, 1) - old_plan->valore(riga, 1));
        if (distance > change.largest_distance) {
            change.largest_distance = distance;
            change.largest_distance_metre = riga;
        }
    }
    if (!rows_differ && change.old_last_row == change.new_last_row) {
        return std::nullopt;
    }
    return change;
}

scenario_difference compare_scenarios(const compiled_tables& old_tables,
                                      const compiled_tables& new_tables) {
    scenario_difference difference =
        compare_descriptions(describe_scenario(old_tables), describe_scenario(new_tables));
    difference.plan = compare_plans(old_tables.profilo, new_tables.profilo);
    if (difference.empty()) {
        raw_fields raw{difference.raw, difference.raw_total};
        compare_entries(old_tables, new_tables, raw);
        compare_cells(old_tables, new_tables, raw);
    }
    return difference;
}

}  // namespace scenario
