// The tests' own helpers, where a fault of theirs would hang or pass a test unseen.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::replace_every;

struct replacement_case {
    const char* text;
    const char* value;
    const char* expected;
};

TEST(TestSupport, ReplaceEveryPutsTheValueOnceForEachPlaceholderEvenWhenTheValueHoldsIt) {
    const replacement_case cases[] = {
        {"cannot write DIR/R_linea.txt", "/tmp/scenario-test-PDIRvL",
         "cannot write /tmp/scenario-test-PDIRvL/R_linea.txt"},
        {"DIR and DIR", "DIRDIR", "DIRDIR and DIRDIR"},
        {"DIRDIR", "x", "xx"},
        {"no placeholder", "/tmp/a", "no placeholder"},
        {"ends in DIR", "", "ends in "},
    };
    for (const replacement_case& c : cases) {
        EXPECT_EQ(replace_every(c.text, "DIR", c.value), c.expected) << c.text;
    }
}

TEST(TestSupport, TemporaryFolderNameStartsAsAskedAndTheFolderIsGoneAfterwards) {
    std::filesystem::path path;
    {
        const testing_support::temporary_folder folder("scenario-test-DIR-");
        path = folder.path();
        EXPECT_TRUE(std::filesystem::is_directory(path));
        EXPECT_EQ(path.filename().string().rfind("scenario-test-DIR-", 0), 0U) << path;
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace scenario
