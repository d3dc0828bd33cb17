#include "format/scenario_codes.h"

#include <string>
#include <string_view>

namespace scenario {
namespace {

constexpr std::string_view fill_text = "ppqqrrssttuuvvwwxxyyzzkkjj";
constexpr std::size_t key_length = 25;

// Only the letters A to Z are lowered: the codes depend on the bytes alone, never on the
// locale of the machine that builds.
char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The train number, then the route identifier, in lower case, padded with the fill text so
// that it has at least 25 characters, of which the first 25 count.
std::string scenario_key(const std::array<voce, numero_voci>& voci) {
    std::string key = voci[entry::train].testo + voci[entry::route].testo;
    for (char& c : key) {
        c = lowered(c);
    }
    key += fill_text;
    key.resize(key_length);
    return key;
}

}  // namespace

std::int16_t codice_gara_og(const std::array<voce, numero_voci>& voci) {
    std::int32_t sum = 0;
    for (const char c : scenario_key(voci)) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<std::int16_t>(sum);  // at most 25 x 255 = 6375
}

std::int32_t codice_gara_st(const std::array<voce, numero_voci>& voci) {
    const std::string key = scenario_key(voci);
    std::int32_t sum = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
        sum += static_cast<std::int32_t>(i + 1) * static_cast<unsigned char>(key[i]);
    }
    return sum;  // at most 325 x 255 = 82875
}

}  // namespace scenario
