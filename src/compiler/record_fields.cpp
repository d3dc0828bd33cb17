#include "compiler/record_fields.h"

#include <array>

namespace scenario {
namespace {

using namespace keywords;

constexpr std::array<field_reference, 1> length_fields = {{
    {"length",
     "metres, at most 1000000; it sizes the grid of 50 m cells and the plan, and "
     "comes before every record"},
}};
constexpr std::array<field_reference, 3> reference_fields = {{
    {"position", "metres along the line, a multiple of 50"},
    {"value", "the kilometre value there, in metres, a multiple of 50"},
    {"flag", "1 adds 100 m to the value"},
}};
constexpr std::array<field_reference, 1> background_fields = {{
    {"value", "a whole number carried into the compiled scenario"},
}};
constexpr std::array<field_reference, 2> cab_signal_fields = {{
    {"start", "metres, a multiple of 50"},
    {"end", "metres, a multiple of 50; 0 for no equipped stretch"},
}};
constexpr std::array<field_reference, 2> gradient_fields = {{
    {"posizione", "metres: from here on the line has this gradient"},
    {"gradient", "per mille, signed, -100 to 155"},
}};
constexpr std::array<field_reference, 2> curve_fields = {{
    {"inizio", "metres: the arc's metres are inizio + 1 to inizio + length"},
    {"length", "metres"},
}};
constexpr std::array<field_reference, 9> speed_board_fields = {{
    {"posizione", "metres; the board's 50 m cell must be free"},
    {"vas", "left face, speed a, km/h (multiple of 5 below 500)"},
    {"vbs", "left face, speed b, km/h"},
    {"vcs", "left face, speed c, km/h"},
    {"strisces", "left face, stripes, 0 to 9"},
    {"vad", "right face, speed a, km/h"},
    {"vbd", "right face, speed b, km/h"},
    {"vcd", "right face, speed c, km/h"},
    {"strisced", "right face, stripes, 0 to 9"},
}};
constexpr std::array<field_reference, 3> mountain_fields = {{
    {"inizio", "metres"},
    {"fine", "metres"},
    {"tipo", "the side, a small code; above 10: tipo - 10 with a marker every fourth cell"},
}};
constexpr std::array<field_reference, 2> indicator_board_fields = {{
    {"posizione", "metres; the board's 50 m cell must be free"},
    {"text", "what the board shows, to the end of the line (no comma)"},
}};
constexpr std::array<field_reference, 1> braked_mass_fields = {{
    {"percentage", "the train's braked-mass percentage"},
}};
constexpr std::array<field_reference, 1> coaches_fields = {{
    {"coaches", "the number of coaches"},
}};
constexpr std::array<field_reference, 2> speed_limit_fields = {{
    {"position", "metres: from here on the line has this speed limit"},
    {"speed", "km/h, a multiple of 5, 0 to 1275"},
}};
constexpr std::array<field_reference, 2> adherence_fields = {{
    {"position", "metres: from here on the line has this adherence"},
    {"value", "0 to 255"},
}};
constexpr std::array<field_reference, 3> clock_fields = {{
    {"hours", "the time of day at which the run starts"},
    {"minutes", "0 to 59"},
    {"seconds", "0 to 59"},
}};
constexpr std::array<field_reference, 1> sand_fields = {{
    {"sand", "the sand value"},
}};
constexpr std::array<field_reference, 11> signal_fields = {{
    {"posizione", "metres, 325 or more; the signal's 50 m cell must be free"},
    {"sx", "left group: kind code, 0 to 2"},
    {"s1", "left group: first value, 0 to 9"},
    {"s2", "left group: second value, 0 to 9"},
    {"s3", "left group: third value, 0 to 9"},
    {"rapp", "tens digit of the combined code, 0 to 9"},
    {"dx", "right group: kind code, 0 to 2"},
    {"d1", "right group: first value, 0 to 9"},
    {"d2", "right group: second value, 0 to 9"},
    {"d3", "right group: third value, 0 to 9"},
    {"tempo", "waiting time: 0 for none, or 101 to 255; kept only when sx is 2"},
}};
constexpr std::array<field_reference, 6> slowdown_fields = {{
    {"x", "metres: where the slowdown begins; its warning board stands 1200 m before"},
    {"v", "km/h through the slowdown"},
    {"l", "length, metres"},
    {"f_tt", "a flag kept with its start and end"},
    {"f_ta", "non-zero: mark the four cells before the warning board"},
    {"d_v", "a further value kept with its boards; 0 for none"},
}};
constexpr std::array<field_reference, 2> abbattimento_fields = {{
    {"position", "metres"},
    {"value", "1 or more: a point with this value; below 1: a point without one"},
}};
constexpr std::array<field_reference, 17> station_fields = {{
    {"pos.", "metres, a multiple of 50"},
    {"tipo", "station type: its area, end cell and approach codes"},
    {"lung.", "length, metres, a multiple of 100; sets the area"},
    {"tps", "a flag"},
    {"tab", "a flag; 0 for the first station and below 600 m"},
    {"mar", "non-zero: a centred area 50 m longer at its far end"},
    {"first group d2", "first group, first value"},
    {"first group d3", "first group, second value"},
    {"rap", "first group, third value"},
    {"second group d1", "second group, first value"},
    {"second group d2", "second group, second value"},
    {"second group d3", "second group, third value"},
    {"ac", "a value kept with the station"},
    {"oro", "hours of the time in the timetable"},
    {"orm", "minutes of that time"},
    {"ors", "seconds of that time; 0:0:0 for no time"},
    {"nome", "the station's name, to the end of the line (no comma)"},
}};

constexpr source_part general = source_part::line_general;
constexpr source_part line_records = source_part::line_records;
constexpr source_part train = source_part::train_records;

constexpr std::array<record_reference, 23> references = {{
    {&lunghezza_percorso, "lunghezza percorso", "the length of the line", general, length_fields},
    {&progressiva_uno, "progressiva chilometrica uno", "kilometre reference 1", general,
     reference_fields},
    {&progressiva_due, "progressiva chilometrica due", "kilometre reference 2", general,
     reference_fields},
    {&progressiva_tre, "progressiva chilometrica tre", "kilometre reference 3", general,
     reference_fields},
    {&sfondo_uno, "sfondo uno", "background setting 1", general, background_fields},
    {&sfondo_due, "sfondo due", "background setting 2", general, background_fields},
    {&sfondo_tre, "sfondo tre", "background setting 3", general, background_fields},
    {&ripetizione_segnali, "ripetizione segnali 4 codici",
     "the stretch with cab signal repetition (4 codes; 9 with a 9 in the key)", general,
     cab_signal_fields},
    {&pendenza, "pendenza", "a gradient", line_records, gradient_fields},
    {&curva, "curvas3", "a curve: s left or d right, digit 1 to 6 for radii 10000 to 333 m",
     line_records, curve_fields},
    {&indicatori_vmax, "indicatori_vmax", "a maximum-speed board", line_records,
     speed_board_fields},
    {&montagna, "montagna", "a mountain-side stretch", line_records, mountain_fields},
    {&cartello_indicatore, "cartello indicatore", "an indicator board", line_records,
     indicator_board_fields},
    {&massa_frenata, "percentuale massa frenata", "the braked-mass percentage", train,
     braked_mass_fields},
    {&vetture, "numero vetture", "the number of coaches", train, coaches_fields},
    {&velocita, "velocita' limite", "a point of the speed-limit series", train, speed_limit_fields},
    {&aderenza, "aderenza", "a point of the adherence series", train, adherence_fields},
    {&orologio, "orologio", "the clock at the start of the run (numbers apart by blanks)", train,
     clock_fields},
    {&sabbia, "sabbia", "the sand value", train, sand_fields},
    {&segnale, "segnale", "a signal", train, signal_fields},
    {&rallentamento, "rallentamento", "a temporary slowdown", train, slowdown_fields},
    {&abbattimento, "abbattimento", "an \"abbattimento\" point", train, abbattimento_fields},
    {&stazione, "stazione", "a station", train, station_fields},
}};

}  // namespace

std::span<const record_reference> record_references() {
    return references;
}

const record_reference* reference_of(const keyword* kind) {
    for (const record_reference& reference : references) {
        if (reference.kind == kind) {
            return &reference;
        }
    }
    return nullptr;
}

std::string_view field_name(const keyword& kind, std::size_t index) {
    return reference_of(&kind)->fields[index].name;
}

}  // namespace scenario
