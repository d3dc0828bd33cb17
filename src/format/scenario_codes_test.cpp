// The two scenario codes, checked against sums worked out by hand.
#include "format/scenario_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

std::array<voce, numero_voci> identity(const std::string& route, const std::string& train) {
    std::array<voce, numero_voci> voci{};
    voci[85].testo = route;
    voci[86].testo = train;
    return voci;
}

// The key "5284valdora_rovappqqrrsst": the 16 characters of the identity, then the first 9
// of the fill text. Character codes, by position:
//   5 2 8 4 v a l d o r a _ r o v a p p q q r r s s t
//   53 50 56 52 118 97 108 100 111 114 97 95 114 111 118 97 112 112 113 113 114 114 115 115 116
// Plain sum: 211 (the digits) + 1280 (valdora_rova) + 1024 (the fill) = 2515.
// Weighted: 1x53 + 2x50 + 3x56 + 4x52 = 529; 5x118 + ... + 16x97 = 13432;
// 17x112 + ... + 25x116 = 21534; in all 35495.
TEST(ScenarioCodes, BuiltinIdentityGivesTheCodesWorkedOutByHand) {
    const auto voci = identity("Valdora_Rova", "5284");
    EXPECT_EQ(codice_gara_og(voci), 2515);
    EXPECT_EQ(codice_gara_st(voci), 35495);
}

TEST(ScenarioCodes, UpperCaseIdentityGivesTheSameCodes) {
    const auto upper = identity("VALDORA_ROVA", "5284");
    EXPECT_EQ(codice_gara_og(upper), 2515);
    EXPECT_EQ(codice_gara_st(upper), 35495);
}

TEST(ScenarioCodes, TrainNumberComesFirstInTheKey) {
    // With the route first the plain sum stays, the weighted one moves.
    const auto swapped = identity("5284", "Valdora_Rova");
    EXPECT_EQ(codice_gara_og(swapped), 2515);
    EXPECT_NE(codice_gara_st(swapped), 35495);
}

// 25 characters or more: no fill text, and only the first 25 count.
// "abcdefghijklmnopqrstuvwxy" has codes 97 to 121: sum 25 x 109 = 2725; weighted
// sum of i x (96 + i) for i = 1..25 = 96 x 325 + 5525 = 36725.
TEST(ScenarioCodes, LongIdentityUsesOnlyItsFirst25Characters) {
    const auto voci = identity("efghijklmnopqrstuvwxyZZZZZ", "ABCD");
    EXPECT_EQ(codice_gara_og(voci), 2725);
    EXPECT_EQ(codice_gara_st(voci), 36725);
}

// The fill text alone, cut to 25: "ppqqrrssttuuvvwwxxyyzzkkj".
// Sum: 2 x (112 + 113 + ... + 122 + 107) + 106 = 2 x 1394 + 106 = 2894.
// Weighted: (1+2) x 112 + (3+4) x 113 + ... + (21+22) x 122 + (23+24) x 107 + 25 x 106 = 37720.
TEST(ScenarioCodes, EmptyIdentityGivesTheCodesOfTheFillText) {
    const auto voci = identity("", "");
    EXPECT_EQ(codice_gara_og(voci), 2894);
    EXPECT_EQ(codice_gara_st(voci), 37720);
}

}  // namespace
}  // namespace scenario
