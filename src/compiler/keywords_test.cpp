#include "compiler/keywords.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

constexpr source_part parts_read[] = {source_part::line_general, source_part::line_records,
                                      source_part::train_records};

// A message names a kind by a key an author can write: that key, put in a source file where
// the kind is read, is read as that kind and no other before it.
TEST(Keywords, NameInMessagesIsReadAsItsOwnKind) {
    for (const source_part part : parts_read) {
        for (const keyword* kind : keywords_read_in(part)) {
            const keyword* read_as = nullptr;
            for (const keyword* candidate : keywords_read_in(part)) {
                if (candidate->named_by(kind->name)) {
                    read_as = candidate;
                    break;
                }
            }
            EXPECT_EQ(read_as, kind) << kind->name;
        }
    }
}

struct phrase_case {
    const keyword* kind;
    std::string the_phrase;
    std::string a_phrase;
};

class KeywordPhrases : public testing::TestWithParam<phrase_case> {};

TEST_P(KeywordPhrases, NameTheKindByItsKeyword) {
    const phrase_case& c = GetParam();
    EXPECT_EQ(c.kind->the_phrase(), c.the_phrase);
    EXPECT_EQ(c.kind->a_phrase(), c.a_phrase);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KeywordPhrases,
    testing::Values(phrase_case{&keywords::segnale, "the segnale record", "a segnale record"},
                    phrase_case{&keywords::stazione, "the stazione record", "a stazione record"},
                    phrase_case{&keywords::velocita, "the velocita' limite record",
                                "a velocita' limite record"},
                    phrase_case{&keywords::massa_frenata, "the percentuale massa frenata record",
                                "a percentuale massa frenata record"},
                    phrase_case{&keywords::aderenza, "the aderenza record", "an aderenza record"},
                    phrase_case{&keywords::orologio, "the orologio record", "an orologio record"},
                    phrase_case{&keywords::indicatori_vmax, "the indicatori_vmax record",
                                "an indicatori_vmax record"},
                    // A file holds each setting once: it is "the" setting either way.
                    phrase_case{&keywords::sfondo_uno, "the sfondo uno setting",
                                "the sfondo uno setting"},
                    phrase_case{&keywords::ripetizione_segnali, "the ripetizione segnali setting",
                                "the ripetizione segnali setting"}));

TEST(Keywords, PhraseAtAPositionGivesItInMetres) {
    EXPECT_EQ(keywords::rallentamento.the_phrase_at(36500), "the rallentamento record at 36500 m");
    EXPECT_EQ(keywords::pendenza.the_phrase_at(-50), "the pendenza record at -50 m");
}

}  // namespace
}  // namespace scenario
