#include "documents/document_model_of_compile.h"

#include <utility>

#include "compiler/run_speeds.h"
#include "format/item_meaning.h"

namespace scenario {
namespace {

// A reference left at 0, 0, 0, as the built-in line file writes all three, says nothing.
void add_references(const scenario_record& record, document_model& model) {
    for (const std::size_t e :
         {entry::smallest_reference, entry::middle_reference, entry::greatest_reference}) {
        const voce& reference = record.voci[e];
        if (reference.valore1 != 0 || reference.valore2 != 0) {
            model.references.push_back({reference.valore1, reference.valore2});
        }
    }
}

}  // namespace

document_model document_model_of_compile(const compile_context& context, sheet_header header) {
    const scenario_record& record = context.record;
    document_model model;
    model.route = context.options.identity.nome_percorso;
    model.train = context.options.identity.numero_treno;
    model.line_length = record.voci[entry::length_and_train].valore2;
    model.header = std::move(header);
    for (const std::size_t k : station_entries(record.voci, record.celle)) {
        const voce& station = record.voci[k];
        model.stations.push_back({station.testo, station.valore3, station.valore4});
    }
    for (const written_speed_limit& limit : context.run.speed_limits) {
        model.speed_changes.push_back({limit.position, limit.kmh});
    }
    for (const written_slowdown& slowdown : context.run.slowdowns) {
        model.slowdowns.push_back({slowdown.x, slowdown.v, slowdown.l, slowdown.f_tt != 0});
    }
    add_references(record, model);
    model.cell_speeds = speeds_in_force(context);
    return model;
}

}  // namespace scenario
