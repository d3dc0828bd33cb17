// Every cell kind has one name: tables show it as it stands, messages bring it in with its
// article, in the words the readers' messages have always used.
#include "format/cell_words.h"

#include <gtest/gtest.h>

#include "format/scenario_record.h"

namespace scenario {
namespace {

struct kind_case {
    std::uint8_t tipo;
    const char* name;
    const char* object;
};

TEST(CellWords, EachKindHasOneNameThatMessagesBringInWithItsArticle) {
    const kind_case cases[] = {
        {kind::segnale, "signal", "a signal"},
        {kind::fine_rallentamento, "end of a slowdown", "the end of a slowdown"},
        {kind::inizio_rallentamento, "start of a slowdown", "the start of a slowdown"},
        {kind::avviso_rallentamento, "slowdown warning board", "a slowdown warning board"},
        {kind::prima_dell_avviso, "cell before a slowdown warning board",
         "a cell before a slowdown warning board"},
        {kind::indicatore_v_max, "maximum-speed board", "a maximum-speed board"},
        {kind::fine_stazione, "station end", "a station end"},
        {kind::abbattimento_con_valore, "\"abbattimento\" point with a value",
         "an \"abbattimento\" point"},
        {kind::abbattimento_senza_valore, "\"abbattimento\" point", "an \"abbattimento\" point"},
        {kind::cartello_indicatore, "indicator board", "an indicator board"},
        {kind::libera, "free cell", "a free cell"},
        {kind::marcatore_montagna, "mountain marker", "a mountain marker"},
        {7, "object of kind 7", "an object of kind 7"},
        {255, "object of kind 255", "an object of kind 255"},
    };
    for (const kind_case& c : cases) {
        EXPECT_EQ(cell_kind_name(c.tipo), c.name);
        EXPECT_EQ(describe_cell_object(c.tipo), c.object);
    }
}

}  // namespace
}  // namespace scenario
