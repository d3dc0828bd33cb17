// The language server as an editor uses it, through the real program and its framing: the
// built-in sources in a folder, one of them open with a mistake, then the diagnostics, the
// quick fix, hover, outline, completion, semantic tokens and formatting, and the fix typed in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/lsp_session.h"

namespace scenario {
namespace {

using namespace testing_support;

const json client_capabilities = {
    {"textDocument", {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}};

// The scenario's folder with the built-in sources, and their URIs.
class LspFeatures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(run_program({"sources", "--dir", folder_.string()}).exit_status, 0);
        line_text_ = read_text_file(folder_.path() / "Valdora_Rova_linea.txt");
        train_text_ = read_text_file(folder_.path() / "Valdora_Rova_5284-.txt");
    }

    std::string uri(const std::string& name) const {
        return "file://" + (folder_.path() / name).string();
    }
    std::string line_uri() const { return uri("Valdora_Rova_linea.txt"); }
    std::string train_uri() const { return uri("Valdora_Rova_5284-.txt"); }

    static std::string opened(const std::string& uri, const std::string& text, int version = 1) {
        return lsp_notification(
            "textDocument/didOpen",
            {{"textDocument",
              {{"uri", uri}, {"languageId", "scenario"}, {"version", version}, {"text", text}}}});
    }
    static std::string session(const std::string& messages) {
        return lsp_request(1, "initialize", {{"capabilities", client_capabilities}}) +
               lsp_notification("initialized") + messages + lsp_request(99, "shutdown") +
               lsp_notification("exit");
    }

    temporary_folder folder_;
    std::string line_text_;
    std::string train_text_;
};

// The last diagnostics published for a URI; null when none was.
json last_published(const lsp_run& run, const std::string& uri) {
    json last;
    for (const json& message : run.messages) {
        if (message.value("method", "") == "textDocument/publishDiagnostics" &&
            message["params"]["uri"] == uri) {
            last = message["params"]["diagnostics"];
        }
    }
    return last;
}

json answer(const lsp_run& run, int id) {
    for (const json& message : run.messages) {
        if (message.value("id", json()) == id) {
            return message;
        }
    }
    return nullptr;
}

json text_position(std::uint32_t line, std::uint32_t character) {
    return {{"line", line}, {"character", character}};
}

json at(const std::string& uri, std::uint32_t line, std::uint32_t character) {
    return {{"textDocument", {{"uri", uri}}}, {"position", text_position(line, character)}};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST_F(LspFeatures, MisspeltKeyIsToldFixedAndGoneAfterTheFixIsTyped) {
    // "stazione,   7400, ..." is line 40 of the train file (39 from 0).
    const std::string misspelt = replaced(train_text_, "stazione,   7400", "stazoine,   7400");
    const json range = {{"start", text_position(39, 0)}, {"end", text_position(39, 8)}};
    const lsp_run told =
        run_language_server(session(opened(train_uri(), misspelt) +
                                    lsp_request(2, "textDocument/codeAction",
                                                {{"textDocument", {{"uri", train_uri()}}},
                                                 {"range", range},
                                                 {"context", {{"diagnostics", json::array()}}}})));
    ASSERT_FALSE(told.hung);
    EXPECT_EQ(told.end.exit_status, 0);
    const json before = last_published(told, train_uri());
    ASSERT_EQ(before.size(), 1u) << before.dump(2);
    EXPECT_EQ(before[0]["code"], "unread-key");
    EXPECT_EQ(before[0]["severity"], 2);
    EXPECT_EQ(before[0]["range"], range);
    EXPECT_EQ(before[0]["tags"], json::array({1}));
    EXPECT_NE(before[0]["message"].get<std::string>().find("did you mean `stazione`?"),
              std::string::npos);
    EXPECT_EQ(last_published(told, line_uri()), json::array());

    const json actions = answer(told, 2)["result"];
    ASSERT_EQ(actions.size(), 1u) << actions.dump(2);
    EXPECT_EQ(actions[0]["kind"], "quickfix");
    const json edit = actions[0]["edit"]["changes"][train_uri()][0];
    EXPECT_EQ(edit["range"], range);
    EXPECT_EQ(edit["newText"], "stazione");

    // The fix typed in, as the editor sends the code action's edit: nothing left to tell.
    const lsp_run fixed = run_language_server(session(
        opened(train_uri(), misspelt) +
        lsp_notification("textDocument/didChange",
                         {{"textDocument", {{"uri", train_uri()}, {"version", 2}}},
                          {"contentChanges", {{{"range", range}, {"text", "stazione"}}}}})));
    EXPECT_EQ(last_published(fixed, train_uri()), json::array());
}

TEST_F(LspFeatures, ErrorInOneFileNamesTheRecordInTheOther) {
    // A speed board at 1000 m and a signal there too: the signal's cell is taken.
    const std::string line = replaced(line_text_, "[indicazioni]",
                                      "indicatori_vmax, 1000, 60, 0, 0, 0, 60, 0, 0, 0\r\n"
                                      "[indicazioni]");
    const lsp_run run =
        run_language_server(session(opened(line_uri(), line) + opened(train_uri(), train_text_)));
    const json told = last_published(run, train_uri());
    ASSERT_EQ(told.size(), 1u) << told.dump(2);
    EXPECT_EQ(told[0]["code"], 16);
    EXPECT_EQ(told[0]["range"]["start"], text_position(62, 0));
    ASSERT_EQ(told[0]["relatedInformation"].size(), 1u);
    EXPECT_EQ(told[0]["relatedInformation"][0]["location"]["uri"], line_uri());
}

TEST_F(LspFeatures, HoverOutlineCompletionAndTokensShowTheCompilersView) {
    const std::string with_empty_line = replaced(train_text_, "[codici]", "\r\n[codici]");
    const lsp_run run = run_language_server(session(
        opened(train_uri(), with_empty_line) +
        lsp_request(2, "textDocument/hover", at(train_uri(), 62, 2)) +
        lsp_request(3, "textDocument/documentSymbol", {{"textDocument", {{"uri", train_uri()}}}}) +
        lsp_request(4, "textDocument/completion", at(train_uri(), 105, 0)) +
        lsp_request(5, "textDocument/semanticTokens/full",
                    {{"textDocument", {{"uri", train_uri()}}}}) +
        lsp_request(6, "textDocument/hover", at(train_uri(), 17, 2))));
    ASSERT_FALSE(run.hung);

    const json hover = answer(run, 2)["result"];
    const std::string markdown = hover["contents"]["value"];
    EXPECT_NE(markdown.find("signal at 1000 m (cell 21)"), std::string::npos) << markdown;
    EXPECT_NE(markdown.find("km 1.000"), std::string::npos) << markdown;
    EXPECT_EQ(hover["range"]["start"], text_position(62, 0));
    EXPECT_EQ(answer(run, 6)["result"], nullptr);  // a comment

    const json symbols = answer(run, 3)["result"];
    const auto stations = std::find_if(symbols.begin(), symbols.end(), [](const json& symbol) {
        return symbol["name"] == "stations";
    });
    ASSERT_NE(stations, symbols.end()) << symbols.dump(2);
    ASSERT_EQ((*stations)["children"].size(), 16u);
    EXPECT_EQ((*stations)["children"][7]["name"], "EMPOLI");
    EXPECT_EQ((*stations)["children"][7]["selectionRange"]["start"], text_position(44, 0));

    const json items = answer(run, 4)["result"];
    const auto signal = std::find_if(items.begin(), items.end(),
                                     [](const json& item) { return item["label"] == "segnale"; });
    ASSERT_NE(signal, items.end()) << items.dump(2);
    EXPECT_EQ((*signal)["insertTextFormat"], 2);
    EXPECT_TRUE((*signal)["insertText"].get<std::string>().starts_with("segnale, ${1:posizione}, "))
        << (*signal)["insertText"];

    // Decode the tokens: the first signal's key is a keyword and its values numbers.
    const json data = answer(run, 5)["result"]["data"];
    ASSERT_EQ(data.size() % 5, 0u);
    std::uint32_t line = 0;
    std::uint32_t character = 0;
    std::vector<std::string> on_line_62;
    for (std::size_t i = 0; i < data.size(); i += 5) {
        line += data[i].get<std::uint32_t>();
        character = data[i].get<std::uint32_t>() == 0 ? character + data[i + 1].get<std::uint32_t>()
                                                      : data[i + 1].get<std::uint32_t>();
        if (line == 62) {
            on_line_62.push_back(std::to_string(character) + ":" + data[i + 2].dump() + ":" +
                                 data[i + 3].dump());
        }
    }
    ASSERT_EQ(on_line_62.size(), 12u);
    EXPECT_EQ(on_line_62[0], "0:7:0");   // "segnale", a keyword
    EXPECT_EQ(on_line_62[1], "11:4:1");  // "1000", a number
}

TEST_F(LspFeatures, FormattedFileCompilesToTheSameBytes) {
    const std::string messy =
        replaced(train_text_, "segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0",
                 "segnale,1000,1,4,1,0,0,0,0,0,0,0");
    const lsp_run run = run_language_server(
        session(opened(train_uri(), messy) +
                lsp_request(2, "textDocument/formatting",
                            {{"textDocument", {{"uri", train_uri()}}},
                             {"options", {{"tabSize", 4}, {"insertSpaces", true}}}})));
    const json edits = answer(run, 2)["result"];
    ASSERT_FALSE(edits.empty());
    // Apply the edits, each a whole line, to the text.
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = messy.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(messy.substr(start, end - start));
    }
    for (const json& edit : edits) {
        const auto line = edit["range"]["start"]["line"].get<std::size_t>();
        ASSERT_EQ(edit["range"]["start"]["character"], 0);
        ASSERT_EQ(edit["range"]["end"]["line"], line);
        lines[line] = edit["newText"];
    }
    std::string formatted;
    for (const std::string& line : lines) {
        formatted += line + "\r\n";
    }
    EXPECT_NE(formatted.find("segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0\r\n"),
              std::string::npos);

    // Compiled before and after: the same three files, byte for byte.
    std::vector<std::string> compiled;
    for (const std::string& text : {messy, formatted}) {
        temporary_folder scenario;
        std::filesystem::copy_file(folder_.path() / "Valdora_Rova_linea.txt",
                                   scenario.path() / "Valdora_Rova_linea.txt");
        std::ofstream(scenario.path() / "Valdora_Rova_5284-.txt", std::ios::binary) << text;
        ASSERT_EQ(run_program({"compile", "--dir", scenario.string(), "--route", "Valdora_Rova",
                               "--train", "5284"})
                      .exit_status,
                  0);
        compiled.push_back(read_text_file(scenario.path() / "Valdora_Rova_linea.dat") +
                           read_text_file(scenario.path() / "Valdora_Rova_5284.sim") +
                           read_text_file(scenario.path() / "Valdora_Rova_5284.dat"));
    }
    EXPECT_TRUE(compiled[0] == compiled[1]);
}

TEST_F(LspFeatures, TextsBeyondAsciiKeepTheirColumnsAndBytes) {
    // The editor shows the Windows-1252 byte 0xC8 as "È": the compiler reads that byte. A
    // character that Windows-1252 has not ("😀", two UTF-16 units) is read as "?", and a field
    // after it stands at the editor's column all the same.
    const std::string board = "cartello indicatore,  5000,    (\xC3\x88 \xF0\x9F\x98\x80), extra";
    const std::string line = replaced(line_text_, "[fine]", board + "\r\n[fine]");
    const lsp_run run = run_language_server(session(opened(line_uri(), line)));
    const json told = last_published(run, line_uri());
    ASSERT_EQ(told.size(), 2u) << told.dump(2);
    EXPECT_EQ(told[0]["code"], "text-bytes");
    EXPECT_NE(told[0]["message"].get<std::string>().find("(\xC3\x88 ?)"), std::string::npos)
        << told[0]["message"];
    EXPECT_EQ(told[1]["code"], "surplus-values");
    // "extra" stands after 38 characters, 39 UTF-16 units with the emoji's two.
    const std::uint32_t board_line = told[1]["range"]["start"]["line"];
    EXPECT_EQ(told[1]["range"]["start"], text_position(board_line, 39));
    EXPECT_EQ(told[1]["range"]["end"], text_position(board_line, 44));
}

}  // namespace
}  // namespace scenario
