#include "long_scenario.h"

#include <array>
#include <fstream>

namespace scenario::bench {
namespace {

// Stations and indicator boards share 78 entries of the item table; mountain-side stretches
// are at most 80.
constexpr std::int32_t most_stations = 40;
constexpr std::int32_t most_indicator_boards = 30;
constexpr std::int32_t most_mountains = 80;

std::int32_t blocks_of(std::int32_t length) {
    return length / block_metres;
}

// Every step-th block carries the object, so that at most `most` of them spread over the line.
std::int32_t step_for(std::int32_t blocks, std::int32_t most) {
    return blocks <= most ? 1 : (blocks + most - 1) / most;
}

void add(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

void add_line_general(std::string& out, std::int32_t length) {
    add(out, "Generated line of " + number(length) + " m");
    add(out, "");
    add(out, "[generale]");
    add(out, "lunghezza percorso,    " + number(length));
    add(out, "progressiva chilometrica uno,    0,    0,    0");
    add(out, "progressiva chilometrica due,    0,    0,    0");
    add(out, "progressiva chilometrica tre,    0,    0,    0");
    add(out, "sfondo uno,    1");
    add(out, "sfondo due,    0");
    add(out, "sfondo tre,    0");
    add(out, "ripetizione segnali 4 codici,    1000,    " + number((length - 1000) / 50 * 50));
}

void add_line_block(std::string& out, std::int32_t block, std::int32_t mountain_step,
                    std::int32_t board_step) {
    const std::int64_t start = std::int64_t{block} * block_metres;
    constexpr std::array<int, 8> gradients = {4, 0, -3, 2, 8, -1, 0, 5};
    for (int g = 0; g < 20; ++g) {
        add(out, "pendenza  , " + number(start + 300 + g * 500) + "    , " +
                     number(gradients[(block + g) % gradients.size()]));
    }
    const int digit = 1 + block % 6;
    add(out, std::string(block % 2 == 0 ? "curvas" : "curvad") + number(digit) + ",  " +
                 number(start + 1200) + ",  400");
    add(out, std::string(block % 2 == 0 ? "curvad" : "curvas") + number(7 - digit) + ",  " +
                 number(start + 5200) + ",  300");
    add(out, "indicatori_vmax, " + number(start + 2500) + ", 90, 95, 100, 0, 90, 95, 100, " +
                 number(block % 4));
    if (block % mountain_step == 0) {
        constexpr std::array<int, 4> kinds = {1, 2, 11, 12};
        add(out, "montagna, " + number(start + 3200) + "," + number(start + 3800) + "," +
                     number(kinds[block / mountain_step % kinds.size()]));
    }
    if (block % board_step == 0) {
        add(out, "cartello indicatore,  " + number(start + 4500) + ",    (  Km. ) (" +
                     number(start / 1000 + 4) + ".500)");
    }
}

void add_train_general(std::string& out, std::int32_t length) {
    add(out, "Generated train over " + number(length) + " m");
    add(out, "");
    add(out, "[generale]");
    add(out, "numero vetture,    6");
    add(out, "percentuale massa frenata,    120");
    add(out, "sabbia,    300");
    add(out, "orologio,    8  15  0");
    add(out, "- pos  tipo  lung  tps  tab  mar  d2 d3 rap  d1 d2 d3  ac  h m s  name");
}

void add_train_block(std::string& out, std::int32_t block, std::int32_t station_step) {
    const std::int64_t start = std::int64_t{block} * block_metres;
    constexpr std::array<int, 4> speeds = {100, 120, 140, 160};
    add(out, "velocita' limite , " + number(start) + "    ,  " +
                 number(block == 0 ? 60 : speeds[block % speeds.size()]));
    add(out, "aderenza,  " + number(start) + ", " + number(block % 2 == 0 ? 100 : 90));
    for (int s = 0; s < 5; ++s) {
        add(out, "segnale, " + number(start + 1000 + s * 2000) + ", 1, 4, 1, 0, 0,  0, 0, 0, 0, 0");
    }
    if (block % station_step == 0) {
        const std::int64_t minutes = 8 * 60 + 15 + block;
        add(out, "stazione, " + number(start + 6000) +
                     ",  2, 600,  1, 0, 0,   1,1,0,  4,1,1,  0, " + number(minutes / 60 % 24) +
                     ", " + number(minutes % 60) + ", 0, STAZIONE " +
                     number(block / station_step + 1));
    }
    add(out, "rallentamento, " + number(start + 8000) + ", " + number(block % 2 == 0 ? 60 : 120) +
                 ", 500, 0, 1, 0");
    add(out, "abbattimento, " + number(start + 9600) + ", " + number(block % 2 == 0 ? 0 : 90));
}

bool write_text(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace

std::string generate_long_line(std::int32_t length) {
    const std::int32_t blocks = blocks_of(length);
    const std::int32_t mountain_step = step_for(blocks, most_mountains);
    const std::int32_t board_step = step_for(blocks, most_indicator_boards);
    std::string out;
    add_line_general(out, length);
    add(out, "[percorso]");
    for (std::int32_t block = 0; block < blocks; ++block) {
        add_line_block(out, block, mountain_step, board_step);
    }
    add(out, "[fine]");
    return out;
}

std::string generate_long_train(std::int32_t length) {
    const std::int32_t blocks = blocks_of(length);
    const std::int32_t station_step = step_for(blocks, most_stations);
    std::string out;
    add_train_general(out, length);
    for (std::int32_t block = 0; block < blocks; ++block) {
        add_train_block(out, block, station_step);
    }
    add(out, "[fine]");
    return out;
}

bool write_long_scenario(const std::string& folder, std::int32_t length) {
    return write_text(folder + "/" + long_route + "_linea.txt", generate_long_line(length)) &&
           write_text(folder + "/" + long_route + "_" + long_train + "-.txt",
                      generate_long_train(length));
}

}  // namespace scenario::bench
