// The legend: one symbol and one text for each kind of thing on the sheet, in the colours the
// panels use.
#include "plot/panels.h"

namespace scenario::plot {
namespace {

constexpr int legend_columns = 4;
constexpr double row_height = 26.0;

void draw_symbol(canvas& sheet, legend_symbol symbol, const rectangle& box) {
    const point middle{box.left + box.width / 2, box.top + box.height / 2};
    sheet.set_line_width(2.0);
    switch (symbol) {
        case legend_symbol::track:
            sheet.set_colour(palette::track);
            sheet.line({box.left, middle.y}, {box.right(), middle.y});
            break;
        case legend_symbol::origin:
            sheet.set_colour(palette::ink);
            sheet.stroke_circle(middle, 6.0);
            break;
        case legend_symbol::kilometre_tick:
            sheet.set_colour(palette::faint);
            sheet.line({middle.x, box.top}, {middle.x, box.bottom()});
            break;
        case legend_symbol::signal:
            sheet.set_colour(palette::signal);
            sheet.fill_circle(middle, 3.0);
            break;
        case legend_symbol::station:
            sheet.set_colour(palette::station);
            sheet.fill_circle(middle, 4.5);
            break;
        case legend_symbol::gradient:
            sheet.set_colour(palette::rise);
            sheet.fill_rectangle({box.left, box.top, box.width / 2, box.height / 2});
            sheet.set_colour(palette::fall);
            sheet.fill_rectangle({middle.x, middle.y, box.width / 2, box.height / 2});
            break;
        case legend_symbol::speed_limit:
            sheet.set_colour(palette::speed);
            sheet.line({box.left, box.top + 3}, {middle.x, box.top + 3});
            sheet.line({middle.x, box.top + 3}, {middle.x, box.bottom() - 3});
            sheet.line({middle.x, box.bottom() - 3}, {box.right(), box.bottom() - 3});
            break;
        case legend_symbol::speed_board:
            sheet.set_colour(palette::speed_board);
            sheet.fill_triangle({middle.x, box.bottom()}, {middle.x - 5, box.top + 3},
                                {middle.x + 5, box.top + 3});
            break;
        case legend_symbol::slowdown:
            sheet.set_colour(palette::slowdown);
            sheet.fill_rectangle(box);
            break;
        case legend_symbol::warning_board:
            sheet.set_colour(palette::warning);
            sheet.fill_triangle({middle.x, box.top}, {middle.x - 6, box.bottom()},
                                {middle.x + 6, box.bottom()});
            break;
        case legend_symbol::station_area:
            sheet.set_colour(palette::station_area);
            sheet.fill_rectangle(box);
            break;
        case legend_symbol::mountain_side:
            sheet.set_colour(palette::mountain);
            sheet.fill_rectangle(box);
            break;
        case legend_symbol::indicator_board:
            sheet.set_colour(palette::indicator_board);
            sheet.fill_rectangle({middle.x - 5, box.top + 2, 10, 8});
            sheet.line({middle.x, box.top + 10}, {middle.x, box.bottom()});
            break;
        case legend_symbol::cab_signals:
            sheet.set_colour(palette::cab_signals);
            sheet.fill_rectangle({box.left, middle.y - 4, box.width, 8});
            break;
        case legend_symbol::curve:
            sheet.set_colour(palette::curve_left);
            sheet.fill_rectangle({box.left, box.top, box.width / 2, box.height / 2});
            sheet.set_colour(palette::curve_right);
            sheet.fill_rectangle({middle.x, middle.y, box.width / 2, box.height / 2});
            break;
        case legend_symbol::kilometre_reference:
            sheet.set_colour(palette::kilometre_reference);
            sheet.fill_triangle({middle.x, box.bottom()}, {middle.x - 5, box.top},
                                {middle.x + 5, box.top});
            break;
    }
}

}  // namespace

void draw_legend(canvas& sheet, const std::vector<legend_entry>& legend,
                 const sheet_layout& layout) {
    const rectangle& area = layout.legend;
    const double column_width = area.width / legend_columns;
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const std::size_t column = i % legend_columns;
        const std::size_t row = i / legend_columns;
        const double left = area.left + column_width * static_cast<double>(column);
        const double top = area.top + row_height * static_cast<double>(row);
        draw_symbol(sheet, legend[i].symbol, {left, top + 2, 28, 14});
        sheet.set_colour(palette::ink);
        sheet.text({left + 38, top + 14}, legend[i].text, 11);
    }
}

}  // namespace scenario::plot
