#include "compiler/unread_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct edits_case {
    const char* name;
    std::string text;
    std::string word;
    int edits;
};

class EditsToContain : public testing::TestWithParam<edits_case> {};

TEST_P(EditsToContain, CountsTheFewestEditsThatMakeTheWordStandInTheText) {
    EXPECT_EQ(edits_to_contain(GetParam().text, GetParam().word), GetParam().edits);
}

INSTANTIATE_TEST_SUITE_P(
    Words, EditsToContain,
    testing::Values(edits_case{"WordInsideTheText", "la stazione nuova", "stazione", 0},
                    edits_case{"LetterCaseIsIgnored", "Stazione", "stazione", 0},
                    edits_case{"TwoLettersSwappedAreOneEdit", "stazoine", "stazione", 1},
                    edits_case{"LetterDropped", "cartelo indicatore", "cartello", 1},
                    edits_case{"LetterAdded", "montangna", "montagna", 1},
                    edits_case{"LetterChanged", "sabbla", "sabbia", 1},
                    edits_case{"SwapAndDrop", "pendnez", "pendenza", 2},
                    edits_case{"UnrelatedText", "orario", "segnale", 6},
                    edits_case{"EmptyText", "", "curva", 5}),
    [](const testing::TestParamInfo<edits_case>& info) { return info.param.name; });

struct guess_case {
    const char* name;
    std::string field;
    source_part part;
    std::string word;  // empty: no guess
    bool only_letter_case = false;
};

class GuessKeyword : public testing::TestWithParam<guess_case> {};

TEST_P(GuessKeyword, NamesTheClosestKeyword) {
    const guess_case& c = GetParam();
    const keyword_guess guess = guess_keyword(c.field, c.part);
    if (c.word.empty()) {
        EXPECT_EQ(guess.meant, nullptr) << guess.word;
        return;
    }
    ASSERT_NE(guess.meant, nullptr);
    EXPECT_EQ(guess.word, c.word);
    EXPECT_EQ(guess.only_letter_case, c.only_letter_case);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GuessKeyword,
    testing::Values(
        guess_case{"SwappedLetters", "stazoine", source_part::train_records, "stazione"},
        guess_case{"DroppedLetter", "cartelo indicatore", source_part::line_records, "cartello"},
        guess_case{"ExactCaseWordInCapitals", "Ripetizione segnali 4 codici",
                   source_part::line_general, "ripetizione", true},
        guess_case{"SecondWordInCapitals", "sfondo Uno", source_part::line_general, "uno", true},
        guess_case{"KeywordOfAnotherPart", "pendneza", source_part::line_general, "pendenza"},
        // Short words must stand whole: "quattro" is no "tre".
        guess_case{"ShortWordsAreNeverGuessed", "progressiva chilometrica quattro",
                   source_part::line_general, ""},
        guess_case{"PlainTextIsNoKeyword", "ORIGINE", source_part::train_records, ""},
        // The same slip at the end of a long field: no keyword stands in a field that long.
        guess_case{"SlipAtTheEndOfALongField", std::string(60, '=') + " stazoine",
                   source_part::train_records, "stazione"},
        guess_case{"LongFieldIsNeverGuessed", std::string(100, '=') + " stazoine",
                   source_part::train_records, ""}),
    [](const testing::TestParamInfo<guess_case>& info) { return info.param.name; });

TEST(PassedOverMessage, SaysWhereTheKindIsReadAndHowManyFieldsGoWithIt) {
    EXPECT_EQ(passed_over_message("sfondo due", source_part::line_records, 1, 12),
              "\"sfondo due\" names the sfondo due setting, but settings are read only in the "
              "general part, which ended at the section header on line 12: it is passed over, "
              "and so is the field after it on this line");
    EXPECT_EQ(passed_over_message("stazione", source_part::line_records, 0, 12),
              "\"stazione\" names the stazione record of the train file, which the line file "
              "does not read: it is passed over");
    EXPECT_EQ(passed_over_message("stazoine", source_part::train_records, 17, 0),
              "\"stazoine\" names no record: it is passed over, and so are the 17 fields after "
              "it on this line; did you mean `stazione`?");
    EXPECT_EQ(passed_over_message("velocta' limite", source_part::train_records, 2, 0),
              "\"velocta' limite\" names no record: it is passed over, and so are the 2 fields "
              "after it on this line; did you mean `velocita'`?");
    EXPECT_EQ(passed_over_message("pendenza", source_part::line_preamble, 2, 0),
              "\"pendenza\" names the pendenza record, but it stands before the \"[generale]\" "
              "header, where nothing is read: it is passed over, and so are the 2 fields after "
              "it on this line");
}

}  // namespace
}  // namespace scenario
