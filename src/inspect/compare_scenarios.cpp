// Two scenario descriptions compared object by object. Objects of one category are paired
// first by what identifies them (a station by its name, every other object by its place),
// then, among those left, by equal values at the nearest place: such a pair is an object
// that moved. What is left was added or removed.
#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "inspect/scenario_difference.h"

namespace scenario {
namespace {

std::vector<field_change> changed_fields(const field_list& old_fields,
                                         const field_list& new_fields) {
    std::vector<field_change> changes;
    for (const field_value& old_field : old_fields) {
        const auto same_name = [&](const field_value& f) { return f.name == old_field.name; };
        const auto found = std::find_if(new_fields.begin(), new_fields.end(), same_name);
        if (found == new_fields.end()) {
            changes.push_back({old_field.name, old_field, std::nullopt});
        } else if (!(*found == old_field)) {
            changes.push_back({old_field.name, old_field, *found});
        }
    }
    for (const field_value& new_field : new_fields) {
        const auto same_name = [&](const field_value& f) { return f.name == new_field.name; };
        if (std::none_of(old_fields.begin(), old_fields.end(), same_name)) {
            changes.push_back({new_field.name, std::nullopt, new_field});
        }
    }
    return changes;
}

field_value place_field(const line_place& at) {
    return {"position", at, ""};
}

// What identifies an object besides its values: a station's name, or else its place.
std::string identity_of(const described_object& object) {
    if (!object.name.empty()) {
        return "name " + object.name;
    }
    return "place " + place_text(object.at);
}

// An object's values, without its place, as one key.
std::string values_of(const described_object& object) {
    std::string key;
    for (const field_value& field : object.fields) {
        key += field.name + "=" + value_text(field) + ";";
    }
    return key;
}

// The objects of a category that are still without a partner, by key and then by place:
// every lookup takes the first, or the nearest, and removes it.
class unpaired_objects {
  public:
    unpaired_objects(const std::vector<const described_object*>& objects,
                     std::string (*key_of)(const described_object&)) {
        for (std::size_t b = 0; b < objects.size(); ++b) {
            by_key_[key_of(*objects[b])].insert({objects[b]->at.metre, b});
        }
    }

    void remove(const std::string& key, std::int64_t metre, std::size_t index) {
        by_key_[key].erase({metre, index});
    }

    std::optional<std::size_t> take_first(const std::string& key) {
        auto found = by_key_.find(key);
        if (found == by_key_.end() || found->second.empty()) {
            return std::nullopt;
        }
        const std::size_t index = found->second.begin()->second;
        found->second.erase(found->second.begin());
        return index;
    }

    // The one nearest to the metre; of two as near, the one before it.
    std::optional<std::size_t> take_nearest(const std::string& key, std::int64_t metre) {
        auto found = by_key_.find(key);
        if (found == by_key_.end() || found->second.empty()) {
            return std::nullopt;
        }
        std::set<std::pair<std::int64_t, std::size_t>>& places = found->second;
        auto after = places.lower_bound({metre, 0});
        auto nearest = after;
        if (after == places.end() ||
            (after != places.begin() && metre - std::prev(after)->first <= after->first - metre)) {
            nearest = std::prev(after);
        }
        const std::size_t index = nearest->second;
        places.erase(nearest);
        return index;
    }

  private:
    std::map<std::string, std::set<std::pair<std::int64_t, std::size_t>>> by_key_;
};

void compare_category(const std::vector<const described_object*>& olds,
                      const std::vector<const described_object*>& news,
                      std::vector<object_change>& changes) {
    std::vector<std::optional<std::size_t>> partner(olds.size());
    std::vector<bool> taken(news.size());
    unpaired_objects by_identity(news, identity_of);
    unpaired_objects by_values(news, values_of);
    const auto take = [&](std::size_t a, std::size_t b) {
        partner[a] = b;
        taken[b] = true;
        by_identity.remove(identity_of(*news[b]), news[b]->at.metre, b);
        by_values.remove(values_of(*news[b]), news[b]->at.metre, b);
    };
    for (std::size_t a = 0; a < olds.size(); ++a) {
        if (const auto b = by_identity.take_first(identity_of(*olds[a]))) {
            take(a, *b);
        }
    }
    std::vector<bool> moved(olds.size());
    for (std::size_t a = 0; a < olds.size(); ++a) {
        if (partner[a]) {
            continue;
        }
        if (const auto b = by_values.take_nearest(values_of(*olds[a]), olds[a]->at.metre)) {
            take(a, *b);
            moved[a] = true;
        }
    }
    for (std::size_t a = 0; a < olds.size(); ++a) {
        const described_object& old_object = *olds[a];
        if (!partner[a]) {
            changes.push_back(
                {change_kind::removed, old_object.category, old_object, std::nullopt, {}});
            continue;
        }
        const described_object& new_object = *news[*partner[a]];
        std::vector<field_change> fields;
        if (!(old_object.at == new_object.at)) {
            fields.push_back({"position", place_field(old_object.at), place_field(new_object.at)});
        }
        const std::vector<field_change> values =
            changed_fields(old_object.fields, new_object.fields);
        fields.insert(fields.end(), values.begin(), values.end());
        if (!fields.empty()) {
            changes.push_back({moved[a] ? change_kind::moved : change_kind::changed,
                               old_object.category, old_object, new_object, std::move(fields)});
        }
    }
    for (std::size_t b = 0; b < news.size(); ++b) {
        if (!taken[b]) {
            changes.push_back({change_kind::added, news[b]->category, std::nullopt, *news[b], {}});
        }
    }
}

std::int64_t change_metre(const object_change& change) {
    return change.old_object ? change.old_object->at.metre : change.new_object->at.metre;
}

std::vector<const described_object*> in_category(const std::vector<described_object>& objects,
                                                 const std::string& category) {
    std::vector<const described_object*> found;
    for (const described_object& object : objects) {
        if (object.category == category) {
            found.push_back(&object);
        }
    }
    return found;
}

// The series as one value per cell, nothing beyond its reach.
std::vector<std::optional<int>> per_cell(const std::vector<series_range>& ranges,
                                         std::size_t count) {
    std::vector<std::optional<int>> cells(count);
    for (const series_range& range : ranges) {
        for (std::int64_t i = range.first_cell; i <= range.last_cell; ++i) {
            cells[static_cast<std::size_t>(i)] = range.value;
        }
    }
    return cells;
}

std::size_t cells_reached(const std::vector<series_range>& ranges) {
    return ranges.empty() ? 0 : static_cast<std::size_t>(ranges.back().last_cell + 1);
}

void compare_series(const described_series& olds, const described_series& news,
                    std::vector<series_change>& changes) {
    const std::size_t count = std::max(cells_reached(*olds.ranges), cells_reached(*news.ranges));
    const auto old_cells = per_cell(*olds.ranges, count);
    const auto new_cells = per_cell(*news.ranges, count);
    for (std::size_t i = 0; i < count; ++i) {
        if (old_cells[i] == new_cells[i]) {
            continue;
        }
        const auto cell = static_cast<std::int64_t>(i);
        if (!changes.empty() && changes.back().series == olds.name &&
            changes.back().last_cell == cell - 1 && changes.back().old_value == old_cells[i] &&
            changes.back().new_value == new_cells[i]) {
            changes.back().last_cell = cell;
        } else {
            changes.push_back({olds.name, olds.unit, cell, cell, old_cells[i], new_cells[i]});
        }
    }
}

}  // namespace

scenario_difference compare_descriptions(const scenario_description& old_scenario,
                                         const scenario_description& new_scenario) {
    scenario_difference difference;
    difference.general = changed_fields(general_fields(old_scenario), general_fields(new_scenario));
    const std::vector<described_object> olds = objects_of(old_scenario);
    const std::vector<described_object> news = objects_of(new_scenario);
    for (const object_category& category : object_categories()) {
        std::vector<object_change> changes;
        compare_category(in_category(olds, category.singular), in_category(news, category.singular),
                         changes);
        std::stable_sort(changes.begin(), changes.end(),
                         [](const object_change& a, const object_change& b) {
                             return change_metre(a) < change_metre(b);
                         });
        difference.objects.insert(difference.objects.end(), changes.begin(), changes.end());
    }
    const std::vector<described_series> old_series = series_of(old_scenario);
    const std::vector<described_series> new_series = series_of(new_scenario);
    for (std::size_t k = 0; k < old_series.size(); ++k) {
        compare_series(old_series[k], new_series[k], difference.series);
    }
    return difference;
}

}  // namespace scenario
