// Writes the generated scenario (route "Lunga", train "9000") into a folder:
//   generate_long_scenario DIR [LENGTH]   (LENGTH in metres, 10000 to 1000000; 1000000 by default)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "long_scenario.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: generate_long_scenario DIR [LENGTH]\n");
        return 64;
    }
    const long length = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 1000000;
    if (length < scenario::bench::block_metres || length > 1000000) {
        std::fprintf(stderr, "generate_long_scenario: LENGTH must be 10000 to 1000000\n");
        return 64;
    }
    if (!scenario::bench::write_long_scenario(argv[1], static_cast<std::int32_t>(length))) {
        std::fprintf(stderr, "generate_long_scenario: cannot write the sources into %s\n", argv[1]);
        return 2;
    }
    return 0;
}
