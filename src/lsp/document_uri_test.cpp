// File URIs as clients on both systems send them, and the paths they stand for.
#include "lsp/document_uri.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scenario::lsp {
namespace {

struct uri_case {
    const char* uri;
    std::optional<std::string> path;
};

class FileUri : public ::testing::TestWithParam<uri_case> {};

TEST_P(FileUri, GivesItsPath) {
    EXPECT_EQ(path_of_file_uri(GetParam().uri), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Uris, FileUri,
    ::testing::Values(
        uri_case{"file:///home/me/R_linea.txt", "/home/me/R_linea.txt"},
        uri_case{"file:///home/me/a%20b/R_T-.txt", "/home/me/a b/R_T-.txt"},
        uri_case{"file:///home/%C3%A8/x%2fy", "/home/\xc3\xa8/x/y"}, uri_case{"FILE:///x", "/x"},
        uri_case{"file://localhost/x", "/x"}, uri_case{"file:/x/y", "/x/y"},
        uri_case{"file:///c%3A/work/R_linea.txt", "c:/work/R_linea.txt"},
        uri_case{"file:///C:/work/R_linea.txt", "C:/work/R_linea.txt"},
        uri_case{"file://server/share/x.txt", "//server/share/x.txt"},
        uri_case{"file:///a/b.txt#fragment", "/a/b.txt"}, uri_case{"file:///a%23b.txt", "/a#b.txt"},
        uri_case{"untitled:Untitled-1", std::nullopt}, uri_case{"file:///bad%2", std::nullopt},
        uri_case{"file:///bad%", std::nullopt}, uri_case{"file:///bad%zz", std::nullopt},
        uri_case{"file:///nul%00byte", std::nullopt}, uri_case{"file://host", std::nullopt},
        uri_case{"file:relative", std::nullopt}, uri_case{"file:", std::nullopt},
        uri_case{"", std::nullopt}));

TEST(FileUri, PathsGoThereAndBack) {
    EXPECT_EQ(file_uri_of_path("/home/me/a b/R_T-.txt"), "file:///home/me/a%20b/R_T-.txt");
    EXPECT_EQ(file_uri_of_path("/w/\xc3\xa8%#?.txt"), "file:///w/%C3%A8%25%23%3F.txt");
    EXPECT_EQ(file_uri_of_path("C:\\work\\R_linea.txt"), "file:///C:/work/R_linea.txt");
    EXPECT_EQ(file_uri_of_path("\\\\server\\share\\x.txt"), "file://server/share/x.txt");
    for (const std::string path :
         {"/home/me/a b/R_T-.txt", "/w/\xc3\xa8%#?.txt", "C:/work/x.txt", "//server/share/x"}) {
        EXPECT_EQ(path_of_file_uri(file_uri_of_path(path)), path);
    }
}

}  // namespace
}  // namespace scenario::lsp
