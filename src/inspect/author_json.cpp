#include "inspect/author_json.h"

namespace scenario {

void add_place_json(author_json& object, const line_place& at) {
    object["position_m"] = at.metre;
    if (at.cell) {
        object["cell"] = *at.cell;
    }
}

author_json value_json(const field_value& field) {
    struct visitor {
        author_json operator()(std::monostate) const { return nullptr; }
        author_json operator()(std::int64_t number) const { return number; }
        author_json operator()(const std::string& text) const { return text; }
        author_json operator()(const line_place& at) const {
            author_json place = author_json::object();
            add_place_json(place, at);
            return place;
        }
        author_json operator()(const std::vector<placed_part>& parts) const {
            author_json array = author_json::array();
            for (const placed_part& part : parts) {
                author_json item = author_json::object();
                add_place_json(item, part.at);
                for (const field_value& inner : part.fields) {
                    item[field_key(inner.name)] = value_json(inner);
                }
                array.push_back(std::move(item));
            }
            return array;
        }
    };
    return std::visit(visitor{}, field.value);
}

author_json object_json(const described_object& object) {
    author_json json = author_json::object();
    add_place_json(json, object.at);
    for (const field_value& field : object.fields) {
        json[field_key(field.name)] = value_json(field);
    }
    return json;
}

}  // namespace scenario
