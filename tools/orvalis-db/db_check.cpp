#include "orvalis-db/db_check.h"

#include "content/idb_format.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"
#include "content/markup_tags.h"
#include "content/short_string.h"

#include <fstream>
#include <iterator>
#include <map>

namespace orvalis::dbtool {

namespace {

enum class TKind { Topic, Extra, Recipe, Other, NoPath };

TKind KindOf(const TPathLevels& l, const std::string& path) {
    if (path.empty())
        return TKind::NoPath;
    if (!l.L2.empty() && l.L3.empty() && l.L4.empty())
        return TKind::Topic;
    if (!l.L4.empty() && l.L4 == l.L2)
        return TKind::Recipe;
    if (l.L4.empty() && !l.L3.empty() && l.L3 == l.L2)
        return TKind::Extra;
    return TKind::Other;
}

std::string Describe(size_t index, const TRawRecord& r) {
    return "record " + std::to_string(index + 1) + " (#" + std::to_string(r.Id) + " " + r.Path + ")";
}

// The link search exactly as a click on a link runs it: the target as one required quoted phrase over the
// topic records of every section.
class TLinkSearch {
public:
    explicit TLinkSearch(const std::string& file) { FDb.LoadFromFile(file, nullptr); }

    // Whether the search finds a record other than the one at `index` (1-based). The linking record itself
    // nearly always matches, since the target stands as a whole word in its own tag.
    bool FindsOtherThan(const std::string& target, int32_t index) {
        auto cached = FCache.find(target);
        if (cached == FCache.end()) {
            std::string query = "+\"" + target.substr(0, 255) + "\"";
            TiDbQuery q{query.data(), static_cast<int32_t>(query.size())};
            FDb.SelectByLinkQuery(q, nullptr);
            THits hits{FDb.SelectedCount(), FDb.FindSelected(1)};
            cached = FCache.emplace(target, hits).first;
        }
        return cached->second.Count > 1 || (cached->second.Count == 1 && cached->second.First != index);
    }

private:
    struct THits {
        int32_t Count;
        int32_t First;
    };
    TiDbRecFile FDb;
    std::map<std::string, THits> FCache;
};

// The levels of a path as written, before any cut: the text between its "|" separators.
std::vector<std::string_view> SplitPathLevels(std::string_view path) {
    std::vector<std::string_view> levels;
    while (!path.empty()) {
        const size_t bar = path.find('|');
        levels.push_back(path.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        path.remove_prefix(bar + 1);
    }
    return levels;
}

} // namespace

TCheckReport CheckDatabase(const std::string& file) {
    TCheckReport report;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        report.Problems.push_back("the file cannot be read");
        return report;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const TDecodeResult decoded = DecodeDatabase(bytes);
    if (!decoded.Complete)
        report.Problems.push_back("the file is damaged at byte " + std::to_string(decoded.ErrorOffset) +
                                  ": " + decoded.Error);
    const std::vector<TRawRecord>& records = decoded.Records;
    report.Records = static_cast<int>(records.size());

    std::map<uint32_t, size_t> firstWithId;
    std::vector<TPathLevels> levels;
    for (const TRawRecord& r : records)
        levels.push_back(TiDbRecFile::SplitPath(r.Path.empty() ? nullptr : r.Path.c_str()));

    TLinkSearch search(file);
    for (size_t i = 0; i < records.size(); ++i) {
        const TRawRecord& r = records[i];
        const TPathLevels& l = levels[i];
        if (r.Path.empty() && r.Text.empty())
            continue; // an empty record: loaded with id 0 and never shown
        const auto [it, fresh] = firstWithId.emplace(r.Id, i);
        if (!fresh)
            report.Problems.push_back(Describe(i, r) + ": the id is also used by " +
                                      Describe(it->second, records[it->second]));

        // The program reads a path up to its first NUL and cuts each level at 255 characters.
        if (r.Path.find('\0') != std::string::npos)
            report.Problems.push_back(Describe(i, r) +
                                      ": the path holds a NUL byte, where the program cuts it");
        for (const std::string_view level : SplitPathLevels(r.Path))
            if (level.size() > MaxShortStringLength)
                report.Problems.push_back(Describe(i, r) + ": a path level is longer than " +
                                          std::to_string(MaxShortStringLength) +
                                          " characters, the program cuts it");

        const TKind kind = KindOf(l, r.Path);
        const TKind before = i > 0 ? KindOf(levels[i - 1], records[i - 1].Path) : TKind::NoPath;
        const bool sameTopic = i > 0 && levels[i - 1].L1 == l.L1 && levels[i - 1].L2 == l.L2;
        switch (kind) {
        case TKind::NoPath:
            report.Problems.push_back(Describe(i, r) + ": the record has no path, so no list shows it");
            break;
        case TKind::Other:
            report.Problems.push_back(Describe(i, r) +
                                      ": neither a topic, an extra text nor a recipe, so no list shows it");
            break;
        case TKind::Topic:
            if (l.L1.empty())
                report.Problems.push_back(Describe(i, r) + ": the topic has no section");
            break;
        case TKind::Extra:
            if (l.L1 != "1")
                report.Problems.push_back(Describe(i, r) + ": extra information is only shown in section 1");
            else if (!(before == TKind::Topic && sameTopic))
                report.Problems.push_back(Describe(i, r) +
                                          ": the extra information does not directly follow its topic");
            break;
        case TKind::Recipe: {
            // Right after the topic any recipe path L4 = L2 is found; after the extra information L3 must
            // equal L2 as well.
            const bool afterTopic = before == TKind::Topic && sameTopic;
            const bool afterExtra = before == TKind::Extra && sameTopic && l.L3 == l.L2;
            if (l.L1 != "1")
                report.Problems.push_back(Describe(i, r) + ": recipes are only shown in section 1");
            else if (!afterTopic && !afterExtra)
                report.Problems.push_back(
                    Describe(i, r) +
                    ": the recipe does not directly follow its topic or its extra information");
            break;
        }
        }

        for (const std::string& target : ListLinkTargets(r.Text)) {
            ++report.Links;
            if (!search.FindsOtherThan(target, static_cast<int32_t>(i + 1)))
                report.Problems.push_back(Describe(i, r) + ": the link target \"" + target +
                                          "\" finds nothing but this record");
        }
    }
    return report;
}

} // namespace orvalis::dbtool
