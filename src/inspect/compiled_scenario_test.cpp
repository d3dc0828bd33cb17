// The tables of a compile kept in memory are the tables its files give when written and read
// back: a view of an editor's unsaved sources shows what the simulator would load.
#include "inspect/compiled_scenario.h"

#include <gtest/gtest.h>

#include "compiler/compile_routine.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

TEST(TablesOfRecord, AreTheTablesOfTheWrittenFilesReadBack) {
    const testing_support::source_folder folder;
    folder.write_line_source(testing_support::line_of_length(
        6000, {"pendenza, 300, 4", "curvas3, 1000, 400", "curvad5, 2000, 300",
               "indicatori_vmax, 1500, 60, 0, 0, 0, 60, 0, 0, 0",
               "cartello indicatore, 2500, (Km. 2.5)"}));
    folder.write_train_source(
        "[generale]\r\nsegnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
        "stazione, 3000, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 8,0,0, LAGO\r\n[fine]\r\n");
    compile_context context({folder.path().string(), builtin_identity(), false});
    ASSERT_EQ(memorizza_percorso(context, 1).how, compile_outcome::end::compiled);

    compiled_scenario_files files;
    ASSERT_TRUE(find_compiled_files_in(folder.path().string(), builtin_identity().nome_percorso,
                                       builtin_identity().numero_treno, files)
                    .ok());
    compiled_tables read_back;
    ASSERT_TRUE(read_compiled_tables(files, read_back).ok());
    const compiled_tables in_memory = tables_of_record(context.record);

    EXPECT_EQ(in_memory.voci, read_back.voci);
    EXPECT_EQ(in_memory.celle, read_back.celle);
    ASSERT_TRUE(in_memory.profilo && read_back.profilo);
    ASSERT_EQ(in_memory.profilo->ultima_riga(), read_back.profilo->ultima_riga());
    for (std::int32_t row = 0; row <= in_memory.profilo->ultima_riga(); ++row) {
        for (int column = 0; column < 2; ++column) {
            ASSERT_EQ(in_memory.profilo->tag(row, column), read_back.profilo->tag(row, column));
            ASSERT_EQ(in_memory.profilo->valore(row, column),
                      read_back.profilo->valore(row, column))
                << row;
        }
    }
    EXPECT_FALSE(tables_of_record(context.record, false).profilo.has_value());
}

}  // namespace
}  // namespace scenario
