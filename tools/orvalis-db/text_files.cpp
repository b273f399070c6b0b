#include "orvalis-db/text_files.h"

#include "content/short_string.h"
#include "orvalis-db/cp1252.h"

namespace orvalis::dbtool {

namespace {

std::vector<std::string_view> SplitCrLf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t br = text.find("\r\n");
        lines.push_back(text.substr(0, br));
        if (br == std::string_view::npos)
            break;
        text.remove_prefix(br + 2);
    }
    return lines;
}

} // namespace

std::string ConvertTextFile(const TSourceFile& file, std::vector<TSourceError>& errors) {
    std::string_view content = file.Content;
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    std::string out;
    int number = 0;
    while (!content.empty()) {
        const size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        ++number;
        const std::optional<std::string> bytes = Utf8ToCp1252(line);
        if (!bytes)
            errors.push_back(
                {file.Name, number, "a character that is not UTF-8 or that Windows-1252 cannot hold"});
        else if (bytes->find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos)
            errors.push_back({file.Name, number, "a control character inside the line"});
        else
            out += *bytes;
        if (lf == std::string_view::npos)
            break;
        out += "\r\n";
        content.remove_prefix(lf + 1);
    }
    return out;
}

std::map<std::string, TSection> ReadSections(std::string_view converted) {
    std::map<std::string, TSection> sections;
    TSection* current = nullptr;
    int number = 0;
    for (std::string_view line : SplitCrLf(converted)) {
        ++number;
        if (line.starts_with('[')) {
            current = nullptr;
            if (line.size() >= 2 && line.back() == ']') {
                const auto [it, fresh] =
                    sections.emplace(std::string(line.substr(1, line.size() - 2)), TSection{});
                if (fresh) {
                    current = &it->second;
                    current->HeaderLine = number;
                }
            }
            continue;
        }
        if (current != nullptr)
            current->Lines.emplace_back(ShortString(line));
    }
    return sections;
}

std::vector<TSourceError> CheckQuizFile(const std::string& name, std::string_view converted) {
    std::vector<TSourceError> errors;
    const auto sections = ReadSections(converted);
    for (int n = 1; n <= 150; ++n) {
        const auto q = sections.find("Q" + std::to_string(n));
        const auto a = sections.find("A" + std::to_string(n));
        if (q == sections.end() || a == sections.end()) {
            errors.push_back({name, 0,
                              "question " + std::to_string(n) + " lacks its [Q" + std::to_string(n) +
                                  "] or [A" + std::to_string(n) + "] section"});
            continue;
        }
        std::vector<std::string> lines = q->second.Lines;
        lines.insert(lines.end(), a->second.Lines.begin(), a->second.Lines.end());
        const int at = q->second.HeaderLine;
        if (lines.size() < 7) {
            errors.push_back({name, at,
                              "question " + std::to_string(n) + " has " + std::to_string(lines.size()) +
                                  " lines; the question, a blank, three alternatives, a blank and the "
                                  "number of the right one make seven"});
            continue;
        }
        if (lines[6] != "1" && lines[6] != "2" && lines[6] != "3")
            errors.push_back(
                {name, a->second.HeaderLine,
                 "question " + std::to_string(n) + ": line 7 must be the right alternative, 1, 2 or 3"});
        if (lines[0].empty() || lines[2].empty() || lines[3].empty() || lines[4].empty())
            errors.push_back(
                {name, at, "question " + std::to_string(n) + " has an empty question or alternative"});
        if (lines.size() < 8)
            errors.push_back(
                {name, a->second.HeaderLine, "question " + std::to_string(n) + " has no explanation"});
    }
    for (const auto& [section, body] : sections) {
        for (size_t i = 0; i < body.Lines.size(); ++i) {
            if (body.Lines[i].size() == MaxShortStringLength)
                errors.push_back({name, body.HeaderLine + 1 + static_cast<int>(i),
                                  "the line is cut at 255 characters when shown"});
        }
    }
    return errors;
}

std::vector<TSourceError> CheckBmiFile(const std::string& name, std::string_view converted) {
    std::vector<TSourceError> errors;
    const auto sections = ReadSections(converted);
    for (const char* section :
         {"start", "ondergewicht", "normaalgewicht", "overgewicht", "obestias", "mobide obestias"}) {
        const auto it = sections.find(section);
        if (it == sections.end() || it->second.Lines.empty())
            errors.push_back({name, 0, std::string("the section [") + section + "] is missing or empty"});
    }
    return errors;
}

} // namespace orvalis::dbtool
