#include "lsp/document_sync.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace scenario::lsp {
namespace {

// LSP's TextDocumentSyncKind.Incremental.
constexpr int incremental_sync = 2;

const json* member(const json& object, const char* name) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

const json* text_document_of(const json& params) {
    const json* document = member(params, "textDocument");
    const json* uri = document != nullptr ? member(*document, "uri") : nullptr;
    return uri != nullptr && uri->is_string() ? document : nullptr;
}

// An integer of the protocol, held to the range that the store keeps.
template <typename number>
std::optional<number> integer_of(const json* value) {
    if (value == nullptr || !value->is_number_integer()) {
        return std::nullopt;
    }
    constexpr auto least = std::numeric_limits<number>::min();
    constexpr auto most = std::numeric_limits<number>::max();
    if (value->is_number_unsigned()) {
        const auto wide = value->get<std::uint64_t>();
        return wide > static_cast<std::uint64_t>(most) ? most : static_cast<number>(wide);
    }
    const auto wide = value->get<std::int64_t>();
    if (wide < static_cast<std::int64_t>(least)) {
        return least;
    }
    if (wide > 0 && static_cast<std::uint64_t>(wide) > static_cast<std::uint64_t>(most)) {
        return most;
    }
    return static_cast<number>(wide);
}

std::optional<text_position> position_of(const json* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    const auto line = integer_of<std::uint32_t>(member(*value, "line"));
    const auto character = integer_of<std::uint32_t>(member(*value, "character"));
    if (!line || !character) {
        return std::nullopt;
    }
    return text_position{*line, *character};
}

std::optional<std::string> change_of(const json& value, content_change& change) {
    const json* text = member(value, "text");
    if (text == nullptr || !text->is_string()) {
        return "a content change without its \"text\"";
    }
    change.text = text->get<std::string>();
    const json* range = member(value, "range");
    if (range == nullptr) {
        return std::nullopt;
    }
    const auto start = position_of(member(*range, "start"));
    const auto end = position_of(member(*range, "end"));
    if (!start || !end) {
        return "a content change whose range is not two positions of integers";
    }
    change.range = text_range{*start, *end};
    return std::nullopt;
}

}  // namespace

std::optional<std::string> open_document(text_documents& documents, const json& params) {
    const json* document = text_document_of(params);
    if (document == nullptr) {
        return "didOpen without a textDocument and its uri";
    }
    const json* text = member(*document, "text");
    const auto version = integer_of<std::int64_t>(member(*document, "version"));
    if (text == nullptr || !text->is_string() || !version) {
        return "didOpen without the document's text and version";
    }
    const json* language = member(*document, "languageId");
    documents.open({document->at("uri").get<std::string>(),
                    language != nullptr && language->is_string() ? language->get<std::string>()
                                                                 : std::string(),
                    *version, text->get<std::string>()});
    return std::nullopt;
}

std::optional<std::string> change_document(text_documents& documents, const json& params,
                                           position_encoding encoding) {
    const json* document = text_document_of(params);
    if (document == nullptr) {
        return "didChange without a textDocument and its uri";
    }
    const auto version = integer_of<std::int64_t>(member(*document, "version"));
    const json* changes = member(params, "contentChanges");
    if (!version || changes == nullptr || !changes->is_array()) {
        return "didChange without the document's version and its contentChanges";
    }
    std::vector<content_change> read;
    read.reserve(changes->size());
    for (const json& value : *changes) {
        content_change change;
        if (auto fault = change_of(value, change)) {
            return fault;
        }
        read.push_back(std::move(change));
    }
    const std::string& uri = document->at("uri").get_ref<const std::string&>();
    if (!documents.change(uri, *version, read, encoding)) {
        return "didChange of a document that is not open: " + uri;
    }
    return std::nullopt;
}

std::optional<std::string> close_document(text_documents& documents, const json& params) {
    const json* document = text_document_of(params);
    if (document == nullptr) {
        return "didClose without a textDocument and its uri";
    }
    const std::string& uri = document->at("uri").get_ref<const std::string&>();
    if (!documents.close(uri)) {
        return "didClose of a document that is not open: " + uri;
    }
    return std::nullopt;
}

json text_document_sync_capabilities() {
    return {{"openClose", true}, {"change", incremental_sync}};
}

}  // namespace scenario::lsp
