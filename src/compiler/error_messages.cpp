#include "compiler/error_messages.h"

namespace scenario {

std::string error_code_meaning(std::int32_t codice) {
    switch (codice) {
        case 1:
            return "the line length is above 1000000 m";
        case 2:
            return "a kilometre reference point is not a multiple of 50 m";
        case 3:
            return "the start of the cab-signal repetition is not a multiple of 50 m";
        case 4:
            return "the end of the cab-signal repetition is not a multiple of 50 m";
        case 5:
            return "the cab-signal repetition key holds neither \"4\" nor \"9\"";
        case 6:
            return "an indicator board stands on a cell that is not free";
        case 7:
            return "an \"abbattimento\" point stands on a cell that is not free";
        case 8:
            return "a station position is not a multiple of 50 m";
        case 9:
            return "a station length is not a multiple of 100 m";
        case 10:
            return "the stations and the indicator boards together need more than the 78 "
                   "entries of the item table";
        case 11:
            return "no cell is left for the point ahead of a signal before a slowdown warning "
                   "board";
        case 12:
            return "no cell is left for a point ahead of a slowdown start";
        case 13:
            return "no cell is left for a point inside a slowdown or after its end";
        case 15:
            return "a record stands beyond the end of the cell grid";
        case 16:
            return "a signal stands on a cell that is not free";
        case 17:
            return "a slowdown warning board falls on a cell that is not free";
        case 18:
            return "a slowdown start falls on a cell that is not free";
        case 19:
            return "a slowdown end falls on a cell that is not free";
        case 20:
            return "one of the four cells before a slowdown warning board is not free";
        case 21:
            return "a maximum-speed board stands on a cell that is not free";
        case 22:
            return "a station area begins less than 350 m after the end of the previous one";
        case 24:
            return "a station area ends at or before 100 m";
        case 25:
            return "a source file could not be read: it is missing, it ends inside a record, or a "
                   "number is not a whole number or does not fit its field";
        case 101:
            return "the line source file is missing";
        case 102:
            return "the line source file has no \"[generale]\" header";
        case 103:
            return "a curve key holds no digit 1 to 6, or the plan of the line runs past metre "
                   "1000000";
        case 200:
            return "the scenario's tables have no room for the record (a negative position, an "
                   "object beyond the grid, too many stretches or boards)";
        case 1250:
            return "cell 1 holds a value where the grid's format stamp goes";
        case 1251:
            return "cell 1 holds a value where the scenario code goes";
        default:
            return "error";
    }
}

bool error_code_has_position(std::int32_t codice) {
    switch (codice) {
        case 6:
        case 7:
        case 8:
        case 9:
        case 11:
        case 12:
        case 13:
        case 15:
        case 16:
        case 17:
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 200:
            return true;
        default:
            return false;
    }
}

}  // namespace scenario
