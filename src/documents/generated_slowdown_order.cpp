#include <algorithm>

#include "documents/fixed_columns.h"
#include "documents/generated_documents.h"
#include "documents/slowdown_order.h"

// The slowdown order from a scenario's slowdowns, on the built-in form: its title, the line and
// the train, the ruled table of columns 3, 28, 12, 10, 9 and 12 with a row for each slowdown
// and blank rows up to the form's 21, and the legend of the prescriptions. The rows that are
// the same for every scenario are taken from the built-in order, which is this form filled
// in for the built-in scenario, so that the two cannot come apart.
namespace scenario {
namespace {

constexpr std::size_t form_rows = 21;
// Where the built-in order's rows stand: the title above the line's name, the rule under the
// order's sentence and the head of the table, its first row, and the legend after the rule
// that closes the table.
constexpr std::size_t title_rows = 4;
constexpr std::size_t head_first = 7;
constexpr std::size_t first_row = 12;
constexpr std::size_t legend_first = first_row + form_rows + 1;
constexpr std::size_t metres_per_kilometre = 1000;
// The prescription's letters stand with their middle under the fifth column of the cell.
constexpr std::size_t prescription_middle = 4;

// The built-in order's rows from `first` up to `last`, not counting `last`.
void append_form_rows(std::vector<std::string>& lines, std::size_t first, std::size_t last) {
    const line_table& form = slowdown_order_table();
    for (std::size_t row = first; row < last && row < form.size() && form[row] != end_marker;
         ++row) {
        lines.emplace_back(form[row]);
    }
}

std::string route_words(std::string route) {
    std::replace(route.begin(), route.end(), '_', ' ');
    return route;
}

// The stations on either side of the slowdown's start: "A - B", or the one there is.
std::string between_stations(const document_model& model, std::int64_t x) {
    const document_station* before = nullptr;
    const document_station* after = nullptr;
    for (const document_station& station : model.stations) {
        if (station.position <= x && (before == nullptr || station.position >= before->position)) {
            before = &station;
        }
        if (station.position > x && (after == nullptr || station.position < after->position)) {
            after = &station;
        }
    }
    if (before != nullptr && after != nullptr) {
        return before->name + " - " + after->name;
    }
    return before != nullptr ? before->name : after != nullptr ? after->name : "";
}

std::string prescription_cell(const std::string& text) {
    constexpr std::size_t width = 12;
    return left_in(text, width,
                   prescription_middle - std::min(text.size() / 2, prescription_middle));
}

}  // namespace

std::vector<std::string> generated_slowdown_order(const document_model& model) {
    std::vector<std::string> lines;
    append_form_rows(lines, 0, title_rows);
    lines.push_back("  Linea  " + route_words(model.route));
    lines.emplace_back();
    lines.push_back("  Si ordina al macchinista del treno " + model.train +
                    " di effettura i seguenti rallentamenti");
    append_form_rows(lines, head_first, first_row);
    const std::string rule = lines.back();
    std::size_t number = 0;
    for (const document_slowdown& slowdown : model.slowdowns) {
        ++number;
        const std::int64_t km = progressive_metres(model.references, slowdown.x);
        const std::int64_t post =
            km >= 0 ? km / static_cast<std::int64_t>(metres_per_kilometre) : -((-km + 999) / 1000);
        lines.push_back(ruled_row({
            centred_in(std::to_string(number), 3),
            centred_in(between_stations(model, slowdown.x), 28),
            centred_in(std::to_string(post), 12),
            centred_in(std::to_string(slowdown.v), 10),
            centred_in(std::to_string(slowdown.l), 9),
            prescription_cell(slowdown.whole_train ? "A" : "---"),
        }));
    }
    const std::string blank_row(slowdown_order_table()[first_row + form_rows - 1]);
    for (; number < form_rows; ++number) {
        lines.push_back(blank_row);
    }
    lines.push_back(rule);
    append_form_rows(lines, legend_first, slowdown_order_table().size());
    return lines;
}

}  // namespace scenario
