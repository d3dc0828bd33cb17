#include "editor/source_pair.h"

#include <algorithm>
#include <string_view>

#include "source/scenario_files.h"

namespace scenario::editor {
namespace {

bool holds(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::pair<std::string, std::string> split_path(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {path.substr(0, slash == 0 ? 1 : slash), path.substr(slash + 1)};
}

}  // namespace

std::optional<source_pair> identify_source(const std::string& path,
                                           const std::vector<std::string>& names_beside) {
    const auto [folder, name] = split_path(path);
    source_pair pair;
    pair.folder = folder;
    if (name.size() > line_source_ending.size() && name.ends_with(line_source_ending)) {
        pair.opened = source_file::line;
        pair.identity.nome_percorso = name.substr(0, name.size() - line_source_ending.size());
        const std::string prefix = pair.identity.nome_percorso + "_";
        std::vector<std::string> trains;
        for (const std::string& beside : names_beside) {
            if (beside.size() > prefix.size() + train_source_ending.size() &&
                beside.starts_with(prefix) && beside.ends_with(train_source_ending) &&
                beside != name) {
                trains.push_back(beside.substr(
                    prefix.size(), beside.size() - prefix.size() - train_source_ending.size()));
            }
        }
        std::sort(trains.begin(), trains.end());
        trains.erase(std::unique(trains.begin(), trains.end()), trains.end());
        if (trains.empty()) {
            pair.train_missing = true;
            return pair;
        }
        pair.identity.numero_treno = trains.front();
        pair.other_trains.assign(trains.begin() + 1, trains.end());
        return pair;
    }
    if (name.size() > train_source_ending.size() + 2 && name.ends_with(train_source_ending)) {
        const std::string stem = name.substr(0, name.size() - train_source_ending.size());
        // The route is the longest prefix whose line file lies beside; without any, the stem
        // is split at its last underscore.
        std::size_t split = std::string::npos;
        for (std::size_t at = stem.find('_'); at != std::string::npos;
             at = stem.find('_', at + 1)) {
            if (at > 0 && at + 1 < stem.size() &&
                holds(names_beside, stem.substr(0, at) + std::string(line_source_ending))) {
                split = at;
            }
        }
        if (split == std::string::npos) {
            split = stem.rfind('_');
        }
        if (split == std::string::npos || split == 0 || split + 1 >= stem.size()) {
            return std::nullopt;
        }
        pair.opened = source_file::train;
        pair.identity.nome_percorso = stem.substr(0, split);
        pair.identity.numero_treno = stem.substr(split + 1);
        return pair;
    }
    return std::nullopt;
}

}  // namespace scenario::editor
