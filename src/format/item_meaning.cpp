#include "format/item_meaning.h"

#include <cstdio>

namespace scenario {
namespace {

bool holds_only_text(const voce& entry) {
    voce without_text = entry;
    without_text.testo.clear();
    return without_text == voce{};
}

}  // namespace

std::vector<std::size_t> board_text_entries(const std::array<voce, numero_voci>& voci,
                                            std::span<const cella> celle) {
    std::array<bool, numero_voci> named{};
    for (const cella& cell : celle) {
        if (cell.tipo == kind::cartello_indicatore && cell.dato1 >= 0 && cell.dato1 < numero_voci) {
            named[static_cast<std::size_t>(cell.dato1)] = true;
        }
    }
    // The run from 80 downward: entries that hold a text and nothing else, or, with the
    // grid, nothing but the text (empty or not) that a board cell names.
    std::vector<std::size_t> entries;
    bool in_run = true;
    for (std::size_t e = entry::first_board_text; e >= entry::first_station; --e) {
        const voce& board = voci[e];
        const bool only_text = holds_only_text(board);
        in_run = in_run && only_text && (!board.testo.empty() || named[e]);
        if (in_run || (only_text && named[e])) {
            entries.push_back(e);
        }
    }
    return entries;
}

std::vector<std::size_t> station_entries(const std::array<voce, numero_voci>& voci,
                                         std::span<const cella> celle) {
    std::array<bool, numero_voci> board{};
    for (const std::size_t e : board_text_entries(voci, celle)) {
        board[e] = true;
    }
    std::vector<std::size_t> entries;
    for (std::size_t k = entry::first_station;
         k <= entry::first_board_text && !board[k] && voci[k] != voce{}; ++k) {
        entries.push_back(k);
    }
    return entries;
}

std::optional<std::int32_t> timetabled_time(const voce& station) {
    if (station.valore4 == 0) {
        return std::nullopt;
    }
    return station.valore4;
}

std::string clock_text(std::int32_t seconds) {
    char text[32];
    if (seconds < 0) {
        std::snprintf(text, sizeof text, "%d s", seconds);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    }
    return text;
}

}  // namespace scenario
