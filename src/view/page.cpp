#include "view/page.h"

#include <algorithm>
#include <vector>

#include "view/page_files.h"

namespace scenario::view {
namespace {

struct filling {
    std::string_view mark;
    std::string content;
    std::size_t at = std::string_view::npos;
};

}  // namespace

std::string script_safe_json(std::string_view json) {
    std::string safe;
    safe.reserve(json.size());
    for (const char c : json) {
        if (c == '<') {
            safe += "\\u003c";
        } else {
            safe += c;
        }
    }
    return safe;
}

std::string html_escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// Every mark is looked up in the template alone, never in what was put in place of another:
// the data and the title may hold any text, a mark's spelling included.
std::string assemble_page(std::string_view title, std::string_view data_json) {
    std::vector<filling> fillings{{"@TITLE@", html_escaped(title)},
                                  {"@STYLE@", std::string(page_style)},
                                  {"@SCRIPT@", std::string(page_script)},
                                  {"@DATA@", script_safe_json(data_json)}};
    for (filling& f : fillings) {
        f.at = page_html.find(f.mark);
    }
    std::sort(fillings.begin(), fillings.end(),
              [](const filling& a, const filling& b) { return a.at < b.at; });
    std::string page;
    std::size_t copied = 0;
    for (const filling& f : fillings) {
        if (f.at == std::string_view::npos) {
            continue;
        }
        page.append(page_html.substr(copied, f.at - copied));
        page.append(f.content);
        copied = f.at + f.mark.size();
    }
    page.append(page_html.substr(copied));
    return page;
}

}  // namespace scenario::view
