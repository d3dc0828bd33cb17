#include "documents/document_model.h"

#include <cstdio>

namespace scenario {

std::int64_t progressive_metres(const std::vector<document_reference>& references,
                                std::int64_t position) {
    // The last reference at or before the position, else the first one along the line.
    const auto better = [position](const document_reference& candidate,
                                   const document_reference& kept) {
        const bool candidate_behind = candidate.position <= position;
        const bool kept_behind = kept.position <= position;
        if (candidate_behind != kept_behind) {
            return candidate_behind;
        }
        return candidate_behind ? candidate.position >= kept.position
                                : candidate.position < kept.position;
    };
    const document_reference* from = nullptr;
    for (const document_reference& reference : references) {
        if (from == nullptr || better(reference, *from)) {
            from = &reference;
        }
    }
    if (from == nullptr) {
        return position;
    }
    return from->value + (position - from->position);
}

std::string kilometre_text(std::int64_t metres) {
    if (metres == 0) {
        return "0";
    }
    const bool negative = metres < 0;
    const std::int64_t magnitude = negative ? -metres : metres;
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld.%03lld", negative ? "-" : "",
                  static_cast<long long>(magnitude / 1000),
                  static_cast<long long>(magnitude % 1000));
    return text;
}

}  // namespace scenario
