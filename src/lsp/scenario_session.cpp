#include "lsp/scenario_session.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "lsp/document_uri.h"
#include "source/file_access.h"

namespace scenario::lsp {
namespace {

std::string name_of(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// The names of the files in a folder, on disk and open in the editor.
std::vector<std::string> names_beside(const std::string& folder,
                                      const std::vector<std::string>& open_paths) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        names.push_back(entry->path().filename().string());
    }
    for (const std::string& path : open_paths) {
        if (folder_of(path) == folder) {
            names.push_back(name_of(path));
        }
    }
    return names;
}

}  // namespace

const compiler_text* compiled_pair::text_of(source_file file) const {
    const std::optional<compiler_text>& text = file == source_file::line ? line_text : train_text;
    return text ? &*text : nullptr;
}

source_file compiled_pair::file_of(std::string_view uri) const {
    if (uri == line_uri) {
        return source_file::line;
    }
    return uri == train_uri ? source_file::train : source_file::none;
}

std::optional<editor::source_pair> scenario_session::pair_of(
    std::string_view uri, const text_documents& documents) const {
    const std::optional<std::string> path = path_of_file_uri(uri);
    if (!path) {
        return std::nullopt;
    }
    std::vector<std::string> open_paths;
    for (const std::string& open_uri : documents.uris()) {
        if (const std::optional<std::string> open = path_of_file_uri(open_uri)) {
            open_paths.push_back(*open);
        }
    }
    return editor::identify_source(*path, names_beside(folder_of(*path), open_paths));
}

const compiled_pair* scenario_session::compiled_for(std::string_view uri,
                                                    const text_documents& documents) {
    const std::optional<editor::source_pair> pair = pair_of(uri, documents);
    if (!pair) {
        return nullptr;
    }
    const std::string line_path = editor::line_path_of(*pair);
    const std::string train_path = editor::train_path_of(*pair);
    const std::string line_uri = file_uri_of_path(line_path);
    const std::string train_uri = file_uri_of_path(train_path);
    const text_document* line_document = documents.find(line_uri);
    const text_document* train_document = pair->train_missing ? nullptr : documents.find(train_uri);
    const std::int64_t line_version = line_document != nullptr ? line_document->version : -1;
    const std::int64_t train_version = train_document != nullptr ? train_document->version : -1;
    pair_of_uri_[std::string(uri)] = line_path;

    const auto kept = pairs_.find(line_path);
    if (kept != pairs_.end() && kept->second.train_uri == train_uri &&
        kept->second.line_version == line_version && kept->second.train_version == train_version) {
        return &kept->second;
    }

    compiled_pair compiled;
    compiled.line_uri = line_uri;
    compiled.train_uri = train_uri;
    compiled.line_version = line_version;
    compiled.train_version = train_version;
    std::vector<editor::held_text> held;
    const auto hold = [&](const text_document* document, const std::string& path,
                          std::optional<compiler_text>& text) {
        if (document != nullptr) {
            text.emplace(compiler_text::from_editor(document->text, utf8_));
            held.emplace_back(path, text->bytes());
        }
    };
    hold(line_document, line_path, compiled.line_text);
    hold(train_document, train_path, compiled.train_text);
    compiled.compile = editor::compile_pair(*pair, held, utf8_);
    // The files read from disk, as the compile read them.
    for (const source_file file : {source_file::line, source_file::train}) {
        std::optional<compiler_text>& text =
            file == source_file::line ? compiled.line_text : compiled.train_text;
        if (!text && compiled.compile->context.sources.find(compiled.compile->path_of(file))) {
            text.emplace(
                compiler_text::from_file(std::string(compiled.compile->text_of(file)), utf8_));
        }
    }
    pairs_.erase(line_path);
    return &pairs_.emplace(line_path, std::move(compiled)).first->second;
}

const compiled_pair* scenario_session::kept_for(std::string_view uri) const {
    const auto line_path = pair_of_uri_.find(uri);
    if (line_path == pair_of_uri_.end()) {
        return nullptr;
    }
    const auto kept = pairs_.find(line_path->second);
    return kept != pairs_.end() ? &kept->second : nullptr;
}

std::optional<std::pair<std::string, std::string>> scenario_session::forget_if_closed(
    std::string_view uri, const text_documents& documents) {
    const std::optional<editor::source_pair> pair = pair_of(uri, documents);
    if (!pair) {
        return std::nullopt;
    }
    const std::string line_path = editor::line_path_of(*pair);
    std::pair<std::string, std::string> uris{file_uri_of_path(line_path),
                                             file_uri_of_path(editor::train_path_of(*pair))};
    if (documents.find(uris.first) != nullptr ||
        (!pair->train_missing && documents.find(uris.second) != nullptr) ||
        pairs_.find(line_path) == pairs_.end()) {
        return std::nullopt;
    }
    if (pair->train_missing) {
        uris.second.clear();  // no diagnostics were published for a train that is not there
    }
    pairs_.erase(line_path);
    for (auto entry = pair_of_uri_.begin(); entry != pair_of_uri_.end();) {
        entry = entry->second == line_path ? pair_of_uri_.erase(entry) : std::next(entry);
    }
    return uris;
}

}  // namespace scenario::lsp
