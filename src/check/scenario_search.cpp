#include "check/scenario_search.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>
#include <tuple>

#include "source/scenario_files.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// A train name as a file name holds it, and as `compile --train` would take it.
bool plain_train_name(std::string_view train) {
    if (train.empty() || train == "linea" || train.find("..") != std::string_view::npos) {
        return false;
    }
    return std::none_of(train.begin(), train.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// A path as the report shows it: as it was named, without the "./" that a search from the
// current folder puts before every name under it.
std::string shown(const fs::path& path) {
    std::string text = path.generic_string();
    while (text.size() > 2 && text.starts_with("./")) {
        text.erase(0, 2);
    }
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

std::string reason(const std::error_code& error) {
    return error ? error.message() : std::string("cannot be read");
}

class searcher {
  public:
    void search(const std::string& named) {
        const fs::path start = fs::path(named).lexically_normal();
        std::error_code error;
        const fs::file_status status = fs::status(start, error);
        if (error || !fs::exists(status)) {
            found_.unreadable.push_back(
                {named, error ? error.message() : "no such file or folder"});
            return;
        }
        if (fs::is_directory(status)) {
            search_folder(start);
            return;
        }
        search_file(named, start);
    }

    scenario_search finish() {
        auto& list = found_.scenarios;
        const auto key = [](const found_scenario& s) {
            return std::tie(s.folder, s.identity.nome_percorso, s.identity.numero_treno);
        };
        std::sort(list.begin(), list.end(), [&](const found_scenario& a, const found_scenario& b) {
            return key(a) < key(b);
        });
        list.erase(std::unique(list.begin(), list.end()), list.end());
        return std::move(found_);
    }

  private:
    void search_folder(const fs::path& root) {
        std::vector<fs::path> folders{root};
        while (!folders.empty()) {
            const fs::path folder = folders.back();
            folders.pop_back();
            std::error_code error;
            fs::directory_iterator entries(folder, error);
            if (error) {
                found_.unreadable.push_back({shown(folder), reason(error)});
                continue;
            }
            std::vector<std::string> files;
            for (const fs::directory_entry& entry : entries) {
                const std::string name = entry.path().filename().string();
                std::error_code kind_error;
                if (entry.is_directory(kind_error) && !entry.is_symlink(kind_error)) {
                    if (name.empty() || name[0] != '.') {
                        folders.push_back(entry.path());
                    }
                } else if (entry.is_regular_file(kind_error)) {
                    files.push_back(name);
                }
            }
            add(shown(folder), pair_sources(files));
        }
    }

    void search_file(const std::string& named, const fs::path& file) {
        const std::string name = file.filename().string();
        const fs::path parent = file.has_parent_path() ? file.parent_path() : fs::path(".");
        std::error_code error;
        fs::directory_iterator entries(parent, error);
        if (error) {
            found_.unreadable.push_back({named, reason(error)});
            return;
        }
        std::vector<std::string> files;
        for (const fs::directory_entry& entry : entries) {
            std::error_code kind_error;
            if (entry.is_regular_file(kind_error)) {
                files.push_back(entry.path().filename().string());
            }
        }
        std::vector<scenario_identity> chosen;
        for (const scenario_identity& identity : pair_sources(files)) {
            if (name == line_source_name(identity) || name == train_source_name(identity)) {
                chosen.push_back(identity);
            }
        }
        if (chosen.empty()) {
            found_.unreadable.push_back(
                {named,
                 "is neither a folder nor the source of a scenario (a train source R_T-.txt "
                 "with its line source R_linea.txt beside it)"});
            return;
        }
        add(shown(parent), chosen);
    }

    void add(const std::string& folder, const std::vector<scenario_identity>& identities) {
        for (const scenario_identity& identity : identities) {
            found_.scenarios.push_back({folder, identity});
        }
    }

    scenario_search found_;
};

}  // namespace

std::vector<scenario_identity> pair_sources(const std::vector<std::string>& file_names) {
    std::set<std::string> routes;
    for (const std::string& name : file_names) {
        if (std::string_view(name).ends_with(line_source_ending) &&
            name.size() > line_source_ending.size()) {
            routes.insert(name.substr(0, name.size() - line_source_ending.size()));
        }
    }
    std::vector<scenario_identity> paired;
    for (const std::string& name : file_names) {
        if (!std::string_view(name).ends_with(train_source_ending)) {
            continue;
        }
        const std::string_view stem =
            std::string_view(name).substr(0, name.size() - train_source_ending.size());
        const std::string* owner = nullptr;
        for (const std::string& route : routes) {
            if (stem.size() > route.size() + 1 && stem.substr(0, route.size()) == route &&
                stem[route.size()] == '_' && (owner == nullptr || route.size() > owner->size())) {
                owner = &route;
            }
        }
        if (owner == nullptr) {
            continue;
        }
        const std::string train(stem.substr(owner->size() + 1));
        if (plain_train_name(train)) {
            paired.push_back({*owner, train});
        }
    }
    std::sort(paired.begin(), paired.end(),
              [](const scenario_identity& a, const scenario_identity& b) {
                  return std::tie(a.nome_percorso, a.numero_treno) <
                         std::tie(b.nome_percorso, b.numero_treno);
              });
    return paired;
}

scenario_search find_scenarios(const std::vector<std::string>& paths) {
    searcher search;
    for (const std::string& path : paths) {
        search.search(path);
    }
    return search.finish();
}

}  // namespace scenario
