#include "compiler/record_origins.h"

#include <utility>

namespace scenario {

void record_origins::clear() {
    cells_.clear();
    entries_.fill(record_origin{});
    for (std::string& path : paths_) {
        path.clear();
    }
}

void record_origins::set_path(source_file file, std::string path) {
    paths_[static_cast<std::size_t>(file)] = std::move(path);
}

source_point record_origins::point_of(const record_origin& origin) const {
    if (!origin.known()) {
        return {};
    }
    return {paths_[static_cast<std::size_t>(origin.file)], origin.line, origin.column};
}

std::string record_origins::name_of(const record_origin& origin) {
    if (!origin.known()) {
        return "";
    }
    return origin.kind->positioned ? origin.kind->the_phrase_at(origin.position)
                                   : origin.kind->the_phrase();
}

std::string record_origins::name_with_line(const record_origin& origin,
                                           source_file seen_from) const {
    if (!origin.known()) {
        return "";
    }
    if (origin.file == seen_from) {
        return name_of(origin) + " on line " + std::to_string(origin.line);
    }
    return name_of(origin) + " on line " + std::to_string(origin.line) + " of " +
           paths_[static_cast<std::size_t>(origin.file)];
}

}  // namespace scenario
