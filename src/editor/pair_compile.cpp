#include "editor/pair_compile.h"

#include "inspect/compiled_scenario.h"
#include "source/file_access.h"

namespace scenario::editor {
namespace {

// What an absent train file is checked as: a train with nothing in it.
constexpr std::string_view empty_train = "[generale]\r\n[fine]\r\n";

}  // namespace

std::string_view pair_compile::text_of(source_file file) const {
    const source_text* text = context.sources.find(path_of(file));
    return text != nullptr ? text->content() : std::string_view();
}

const scenario_description* pair_compile::description() const {
    if (!context.record.has_grid()) {
        return nullptr;
    }
    if (!description_) {
        description_ = describe_scenario(tables_of_record(context.record));
    }
    return &*description_;
}

std::string line_path_of(const source_pair& pair) {
    return join_path(pair.folder, line_source_name(pair.identity));
}

std::string train_path_of(const source_pair& pair) {
    return join_path(pair.folder, train_source_name(pair.identity));
}

std::unique_ptr<pair_compile> compile_pair(const source_pair& pair,
                                           const std::vector<held_text>& texts, bool utf8) {
    compile_options options{pair.folder, pair.identity, /*delete_sources=*/false};
    options.utf8_texts = utf8;
    options.write_compiled_files = false;
    options.map_reading = true;
    auto compiled = std::make_unique<pair_compile>(std::move(options));
    compiled->pair = pair;
    compiled->line_path = line_path_of(pair);
    compiled->train_path = train_path_of(pair);
    for (const auto& [path, text] : texts) {
        compiled->held.keep(path, text);
    }
    if (pair.train_missing) {
        compiled->held.keep(compiled->train_path, std::string(empty_train));
    }
    compiled->context.options.texts = &compiled->held;
    compiled->report = compile_and_report(compiled->context, 1);
    return compiled;
}

}  // namespace scenario::editor
