#include "reading/search_query.h"
#include "content/ascii_case.h"
#include "content/short_string.h"
#include "reading/title_lines.h"

namespace orvalis {

namespace {
// "+" and the text, appended rather than inserted before it (which GCC 12 misreads as an overlapping copy).
std::string Required(std::string_view text) {
    std::string query;
    query.reserve(1 + text.size());
    query += '+';
    query += text;
    return query;
}
} // namespace

std::string TypedSearchQuery(std::string_view editText) {
    return Required(ShortString(editText));
}

std::string RerunSearchText(std::string_view editText) {
    std::string_view text = ShortString(editText);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.empty())
        return {};
    if (text.front() == '+' || text.front() == '-' || text.front() == '%')
        return std::string(text);
    return Required(text);
}

int BestTitleLine(const std::vector<std::string>& lines, std::string_view searched) {
    if (lines.empty())
        return -1;
    const std::string wanted = UpperAscii(searched);
    // One buffer serves every title of both passes.
    std::string title;
    const auto upperTitle = [&title](const std::string& line) -> const std::string& {
        const std::string_view shown = TitleOfLine(line);
        title.assign(shown.begin(), shown.end());
        for (char& c : title)
            c = UpperAscii(c);
        return title;
    };
    for (size_t i = 0; i < lines.size(); ++i)
        if (TitleOfLine(lines[i]).size() == wanted.size() && upperTitle(lines[i]) == wanted)
            return static_cast<int>(i);
    for (size_t i = 0; i < lines.size(); ++i)
        if (TitleOfLine(lines[i]).size() >= wanted.size() && upperTitle(lines[i]).find(wanted) != std::string::npos)
            return static_cast<int>(i);
    return 0;
}

} // namespace orvalis
