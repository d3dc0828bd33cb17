#include "lsp/scenario_features.h"

#include <algorithm>
#include <string>
#include <vector>

#include "editor/completion.h"
#include "editor/hover.h"
#include "editor/outline.h"
#include "editor/source_layout.h"
#include "lsp/diagnostics_json.h"

namespace scenario::lsp {
namespace {

// The semantic tokens' legend: the index of each type in it, and the one modifier.
const std::vector<std::string> token_types = {"keyword", "number", "string", "comment",
                                              "namespace"};
constexpr int token_keyword = 0;
constexpr int token_number = 1;
constexpr int token_string = 2;
constexpr int token_comment = 3;
constexpr int token_namespace = 4;
constexpr int modifier_deprecated = 1;

// The protocol's kinds of symbol, completion item and message.
constexpr int symbol_namespace = 3;
constexpr int symbol_property = 7;
constexpr int symbol_function = 12;
constexpr int symbol_number = 16;
constexpr int symbol_object = 19;
constexpr int symbol_struct = 23;
constexpr int symbol_event = 24;
constexpr int symbol_constant = 14;
constexpr int completion_keyword = 14;
constexpr int snippet_format = 2;
constexpr int message_warning = 2;

std::string uri_of(const json& params) {
    return params.at("textDocument").at("uri").get<std::string>();
}

text_position position_of(const json& position) {
    return {position.at("line").get<std::uint32_t>(),
            position.at("character").get<std::uint32_t>()};
}

// The pair of the request's document compiled now, and which of its files the document is.
struct document_in_pair {
    const compiled_pair* pair = nullptr;
    source_file file = source_file::none;
    const compiler_text* text = nullptr;
};

document_in_pair find_document(scenario_session& session, const json& params,
                               request_context& context) {
    const std::string uri = uri_of(params);
    const compiled_pair* pair = session.compiled_for(uri, context.documents());
    if (pair == nullptr) {
        return {};
    }
    const source_file file = pair->file_of(uri);
    return {pair, file, file == source_file::none ? nullptr : pair->text_of(file)};
}

void publish(const compiled_pair& pair, request_context& context) {
    for (const source_file file : {source_file::line, source_file::train}) {
        if (file == source_file::train && pair.compile->pair.train_missing) {
            continue;
        }
        context.notify("textDocument/publishDiagnostics",
                       published_diagnostics(pair, file, context.encoding()));
    }
}

void compile_and_publish(scenario_session& session, const json& params, request_context& context) {
    const std::string uri = uri_of(params);
    // A newer text of the document is already waiting: this one is stale.
    if (context.newer_change_waiting(uri)) {
        return;
    }
    const compiled_pair* pair = session.compiled_for(uri, context.documents());
    if (pair == nullptr || context.newer_change_waiting(uri)) {
        return;
    }
    publish(*pair, context);
}

// A pair with no document open any more has its diagnostics cleared; one with its other
// file still open is compiled again with the closed one read from disk.
void after_close(scenario_session& session, const json& params, request_context& context) {
    const std::string uri = uri_of(params);
    if (const auto forgotten = session.forget_if_closed(uri, context.documents())) {
        for (const std::string& closed : {forgotten->first, forgotten->second}) {
            if (closed.empty()) {
                continue;
            }
            context.notify("textDocument/publishDiagnostics",
                           {{"uri", closed}, {"diagnostics", json::array()}});
        }
        return;
    }
    for (const std::string& open : context.documents().uris()) {
        const compiled_pair* kept = session.kept_for(open);
        if (kept != nullptr && (kept->line_uri == uri || kept->train_uri == uri)) {
            if (const compiled_pair* pair = session.compiled_for(open, context.documents())) {
                publish(*pair, context);
            }
            return;
        }
    }
}

json hover(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    if (found.text == nullptr) {
        return nullptr;
    }
    const auto [line, column] =
        found.text->place_of(position_of(params.at("position")), context.encoding());
    const std::optional<editor::hover_text> hover =
        editor::hover_at(*found.pair->compile, found.file, line, column);
    if (!hover) {
        return nullptr;
    }
    return {{"contents", {{"kind", "markdown"}, {"value", found.text->shown(hover->markdown)}}},
            {"range", range_json(*found.pair, found.file,
                                 {hover->line, hover->column, hover->line, hover->end_column},
                                 context.encoding())}};
}

int symbol_kind_number(editor::symbol_kind kind) {
    switch (kind) {
        case editor::symbol_kind::group:
            return symbol_namespace;
        case editor::symbol_kind::setting:
            return symbol_property;
        case editor::symbol_kind::station:
            return symbol_struct;
        case editor::symbol_kind::signal:
        case editor::symbol_kind::slowdown:
            return symbol_event;
        case editor::symbol_kind::board:
        case editor::symbol_kind::mountain:
            return symbol_object;
        case editor::symbol_kind::series:
            return symbol_number;
        case editor::symbol_kind::curve:
            return symbol_function;
        case editor::symbol_kind::point:
            return symbol_constant;
    }
    return symbol_object;
}

json symbol_json(const compiled_pair& pair, source_file file, const editor::outline_symbol& symbol,
                 position_encoding encoding) {
    const compiler_text& text = *pair.text_of(file);
    json item = {
        {"name", text.shown(symbol.name)},
        {"kind", symbol_kind_number(symbol.kind)},
        {"range",
         range_json(pair, file, {symbol.line, symbol.column, symbol.end_line, symbol.end_column},
                    encoding)},
        {"selectionRange",
         range_json(pair, file, {symbol.line, symbol.column, symbol.line, symbol.key_end_column},
                    encoding)},
    };
    if (!symbol.detail.empty()) {
        item["detail"] = text.shown(symbol.detail);
    }
    if (!symbol.children.empty()) {
        json children = json::array();
        for (const editor::outline_symbol& child : symbol.children) {
            children.push_back(symbol_json(pair, file, child, encoding));
        }
        item["children"] = std::move(children);
    }
    return item;
}

json document_symbols(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    json symbols = json::array();
    if (found.text == nullptr) {
        return symbols;
    }
    for (const editor::outline_symbol& group :
         editor::outline_of(*found.pair->compile, found.file)) {
        symbols.push_back(symbol_json(*found.pair, found.file, group, context.encoding()));
    }
    return symbols;
}

bool snippets_supported(const request_context& context) {
    const json& capabilities = context.client_capabilities();
    const json::json_pointer pointer("/textDocument/completion/completionItem/snippetSupport");
    return capabilities.contains(pointer) && capabilities.at(pointer) == true;
}

json completion(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    json items = json::array();
    if (found.text == nullptr) {
        return items;
    }
    const auto [line, column] =
        found.text->place_of(position_of(params.at("position")), context.encoding());
    const std::string_view bytes = found.text->bytes();
    const source_text text{std::string(bytes)};
    const std::string_view line_text = text.line(line).value_or("");
    const bool snippets = snippets_supported(context);
    for (const editor::completion_item& item :
         editor::completions_at(*found.pair->compile, found.file, line, line_text, column)) {
        json entry = {{"label", item.label},
                      {"kind", completion_keyword},
                      {"detail", item.detail},
                      {"documentation", {{"kind", "markdown"}, {"value", item.documentation}}}};
        if (snippets) {
            entry["insertText"] = item.snippet;
            entry["insertTextFormat"] = snippet_format;
        }
        items.push_back(std::move(entry));
    }
    return items;
}

int token_of(field_role role, int& modifiers) {
    modifiers = 0;
    switch (role) {
        case field_role::key:
            return token_keyword;
        case field_role::number:
            return token_number;
        case field_role::text:
            return token_string;
        case field_role::header:
            return token_namespace;
        case field_role::passed_over:
            modifiers = modifier_deprecated;
            return token_comment;
        case field_role::comment:
        case field_role::preamble:
            break;
    }
    return token_comment;
}

json semantic_tokens(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    json data = json::array();
    if (found.text == nullptr) {
        return {{"data", data}};
    }
    std::vector<const mapped_field*> fields;
    for (const mapped_field& field : found.pair->compile->context.reading.fields) {
        if (field.file == found.file && field.length > 0) {
            fields.push_back(&field);
        }
    }
    std::sort(fields.begin(), fields.end(), [](const mapped_field* a, const mapped_field* b) {
        return std::pair{a->line, a->column} < std::pair{b->line, b->column};
    });
    text_position previous{0, 0};
    for (const mapped_field* field : fields) {
        const text_position start =
            found.text->position_of(field->line, field->column, context.encoding());
        const text_position end =
            found.text->position_of(field->line, field->column + field->length, context.encoding());
        if (end.line != start.line || end.character <= start.character) {
            continue;
        }
        int modifiers = 0;
        const int type = token_of(field->role, modifiers);
        const std::uint32_t delta_line = start.line - previous.line;
        data.push_back(delta_line);
        data.push_back(delta_line == 0 ? start.character - previous.character : start.character);
        data.push_back(end.character - start.character);
        data.push_back(type);
        data.push_back(modifiers);
        previous = start;
    }
    return {{"data", data}};
}

// The lines of a text, without their line ends.
std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

json formatting(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    json edits = json::array();
    if (found.text == nullptr) {
        return edits;
    }
    const editor::layout_result laid = editor::checked_layout(*found.pair->compile, found.file);
    if (!laid.text) {
        context.notify("window/showMessage",
                       {{"type", message_warning}, {"message", laid.refusal}});
        return edits;
    }
    const std::vector<std::string_view> before = lines_of(found.text->bytes());
    const std::vector<std::string_view> after = lines_of(*laid.text);
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i] == after[i]) {
            continue;
        }
        const int line = static_cast<int>(i) + 1;
        edits.push_back(
            {{"range", range_json(*found.pair, found.file,
                                  {line, 1, line, static_cast<int>(before[i].size()) + 1},
                                  context.encoding())},
             {"newText", found.text->shown(after[i])}});
    }
    return edits;
}

json code_actions(scenario_session& session, const json& params, request_context& context) {
    const document_in_pair found = find_document(session, params, context);
    json actions = json::array();
    if (found.text == nullptr) {
        return actions;
    }
    const text_position from = position_of(params.at("range").at("start"));
    const text_position to = position_of(params.at("range").at("end"));
    for (const diagnostic& told : found.pair->compile->report.diagnostics) {
        if (!told.fix || file_of(*found.pair, told) != found.file) {
            continue;
        }
        const auto line = static_cast<std::uint32_t>(told.range.line - 1);
        if (line < from.line || line > to.line) {
            continue;
        }
        const diagnostic_fix& fix = *told.fix;
        actions.push_back(
            {{"title", "Write `" + fix.replacement + "`"},
             {"kind", "quickfix"},
             {"isPreferred", true},
             {"diagnostics", json::array({diagnostic_json(*found.pair, told, context.encoding())})},
             {"edit",
              {{"changes",
                {{uri_of(params),
                  json::array({{{"range", range_json(*found.pair, found.file, fix.range,
                                                     context.encoding())},
                                {"newText", found.text->shown(fix.replacement)}}})}}}}}});
    }
    return actions;
}

}  // namespace

void register_scenario_features(server_dispatcher& dispatcher, scenario_session& session) {
    dispatcher.add_capabilities(
        {{"hoverProvider", true},
         {"documentSymbolProvider", true},
         {"completionProvider", {{"resolveProvider", false}}},
         {"semanticTokensProvider",
          {{"legend", {{"tokenTypes", token_types}, {"tokenModifiers", {"deprecated"}}}},
           {"full", true}}},
         {"documentFormattingProvider", true},
         {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}});
    dispatcher.add_notification("initialized", [&session](const json&, request_context& context) {
        const json& options = context.initialization_options();
        session.take_texts_as_utf8(options.is_object() && options.value("utf8", false));
    });
    for (const char* method : {"textDocument/didOpen", "textDocument/didChange"}) {
        dispatcher.add_notification(method,
                                    [&session](const json& params, request_context& context) {
                                        compile_and_publish(session, params, context);
                                    });
    }
    dispatcher.add_notification("textDocument/didClose",
                                [&session](const json& params, request_context& context) {
                                    after_close(session, params, context);
                                });
    const auto request = [&](const char* method,
                             json (*handler)(scenario_session&, const json&, request_context&)) {
        dispatcher.add_request(
            method, [&session, handler](const json& params, request_context& context) {
                return request_outcome::success(handler(session, params, context));
            });
    };
    request("textDocument/hover", hover);
    request("textDocument/documentSymbol", document_symbols);
    request("textDocument/completion", completion);
    request("textDocument/semanticTokens/full", semantic_tokens);
    request("textDocument/formatting", formatting);
    request("textDocument/codeAction", code_actions);
}

}  // namespace scenario::lsp
