// A file laid out in the built-in writer's columns compiles to what it compiled to before,
// and the layout touches nothing but records that stand alone on their lines.
#include "editor/source_layout.h"

#include <gtest/gtest.h>

#include "editor/editor_test_support.h"

namespace scenario::editor {
namespace {

TEST(SourceLayout, BuiltinFilesLaidOutCompileTheSameAndAreLaidOutOnce) {
    const auto compiled = builtin_pair();
    for (const source_file file : {source_file::line, source_file::train}) {
        const layout_result laid = checked_layout(*compiled, file);
        ASSERT_TRUE(laid.text.has_value()) << laid.refusal;
        const std::string line_text = file == source_file::line
                                          ? *laid.text
                                          : std::string(compiled->text_of(source_file::line));
        const std::string train_text = file == source_file::train
                                           ? *laid.text
                                           : std::string(compiled->text_of(source_file::train));
        const auto again = compile_texts(line_text, train_text);
        EXPECT_EQ(lay_out(*again, file), *laid.text);
    }
}

TEST(SourceLayout, RecordsTakeTheBuiltinColumnsAndOtherLinesStayByteForByte) {
    const std::string line_text =
        "[generale]\r\nlunghezza percorso,5000\r\n[linea]\r\npendenza,300,4\r\n"
        "curvas3,1000,400\r\n[fine]\r\n";
    const std::string train_text =
        "titolo\n[generale]\n"
        "segnale,1000,1,4,1,0,0,0,0,0,0,0\n"
        "  - a comment, with a comma\r"
        "segnale, 2000,1,4,1,0,0,0,0,0,0,0  , - and a comment after it\n"
        "stazione,3000,2,400,0,0,0,0,0,0,0,0,0,0,8,0,0,  LAGO  \n"
        "velocita' limite,0,60\n"
        "[fine]\n";
    const auto compiled = compile_texts(line_text, train_text);
    const layout_result line = checked_layout(*compiled, source_file::line);
    ASSERT_TRUE(line.text.has_value()) << line.refusal;
    EXPECT_EQ(*line.text,
              "[generale]\r\nlunghezza percorso,    5000\r\n[linea]\r\npendenza  , 300    , 4\r\n"
              "curvas3,  1000,  400\r\n[fine]\r\n");
    const layout_result train = checked_layout(*compiled, source_file::train);
    ASSERT_TRUE(train.text.has_value()) << train.refusal;
    EXPECT_EQ(*train.text,
              "titolo\n[generale]\n"
              "segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0\n"
              "  - a comment, with a comma\r"
              "segnale, 2000,1,4,1,0,0,0,0,0,0,0  , - and a comment after it\n"
              "stazione,   3000,  2, 400,  0, 0, 0,   0,0,0,  0,0,0,  0,  8, 0, 0, LAGO\n"
              "velocita' limite ,     0    ,   60\n"
              "[fine]\n");
}

}  // namespace
}  // namespace scenario::editor
