#include "content/idb_rec_file.h"
#include "content/ascii_case.h"

#include "content/idb_format.h"
#include "content/idb_query.h"
#include "content/progress_gauge.h"
#include "content/short_string.h"
#include "content/title_order.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalis {

namespace {

// Opens the file for reading only when it is a regular file: a FIFO or a device would block the start-up
// for ever (opening a FIFO waits for a writer, so the test comes before the blocking mode is set).
std::FILE* OpenRegularFile(const std::string& path, uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    size = static_cast<uint64_t>(info.st_size);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

} // namespace

namespace {

// Reads the file in large blocks and hands out exact byte counts, unscrambling while copying, so that every
// byte is touched once after the kernel delivered it.
class TBlockReader {
public:
    explicit TBlockReader(std::FILE* file) : FFile(file), FBuffer(new char[BlockSize]) {}

    // Copies `count` bytes to dst (unscrambled when asked); false when the file ends first.
    bool Read(char* dst, size_t count, bool unscramble) {
        while (count > 0) {
            if (FPos == FEnd && !Fill())
                return false;
            const size_t n = std::min(count, FEnd - FPos);
            const char* src = FBuffer.get() + FPos;
            if (unscramble) {
                // The arithmetic form of the substitution vectorises; a table lookup would not.
                for (size_t i = 0; i < n; ++i)
                    dst[i] = static_cast<char>(ScrambleByte(static_cast<uint8_t>(src[i])));
            } else {
                std::memcpy(dst, src, n);
            }
            dst += n;
            count -= n;
            FPos += n;
        }
        return true;
    }

private:
    static constexpr size_t BlockSize = 256 * 1024;

    bool Fill() {
        FPos = 0;
        FEnd = std::fread(FBuffer.get(), 1, BlockSize, FFile);
        return FEnd > 0;
    }

    std::FILE* FFile;
    std::unique_ptr<char[]> FBuffer;
    size_t FPos = 0;
    size_t FEnd = 0;
};

// The offsets of the texts take 63 bits of a record; no file reaches that far.
constexpr uint64_t OffsetMask = (uint64_t(1) << 63) - 1;

uint32_t LE(const unsigned char* p, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint32_t>(p[i]) << (8 * i);
    return value;
}

// The four levels as views into the path, each cut at 255 characters.
struct TPathViews {
    std::string_view L1, L2, L3, L4;
};

TPathViews SplitPathViews(const char* path) {
    TPathViews v;
    if (path == nullptr)
        return v;
    std::string_view rest(path);
    std::string_view* levels[4] = {&v.L1, &v.L2, &v.L3, &v.L4};
    for (std::string_view* level : levels) {
        const size_t bar = rest.find('|');
        *level = ShortString(rest.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        rest.remove_prefix(bar + 1);
    }
    return v;
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

TiDbRecFile::TiDbRecFile() = default;

TiDbRecFile::~TiDbRecFile() = default;

bool TiDbRecFile::TStringBlock::Reserve(uint64_t size) {
    Clear();
    if (size == 0)
        return true;
    FData.reset(static_cast<char*>(std::malloc(size)));
    FSize = FData ? size : 0;
    return FData != nullptr;
}

void TiDbRecFile::TStringBlock::Shrink() {
    if (FUsed == 0) {
        Clear();
    } else if (FUsed < FSize) {
        // realloc hands back the block, moved or not; the records hold offsets, not addresses.
        if (char* shrunk = static_cast<char*>(std::realloc(FData.get(), FUsed))) {
            (void)FData.release();
            FData.reset(shrunk);
            FSize = FUsed;
        }
    }
}

void TiDbRecFile::TStringBlock::Clear() {
    FData.reset();
    FSize = FUsed = 0;
}

void TiDbRecFile::FreeRecords() {
    std::vector<TStoredRecord>().swap(FRecords);
    std::vector<TTitleEntry>().swap(FTitleOrder);
    std::string().swap(FTitleOrderTexts);
    FTitleOrderBuilt = false;
    FPaths.Clear();
    FTexts.Clear();
    FCursorOrdinal = FCursorIndex = FSelectedCount = 0;
}

const char* TiDbRecFile::PathOf(const TStoredRecord& record) const {
    return record.PathLen == 0 ? nullptr : FPaths.At(record.IdAt + uint64_t(4));
}

TiDbRec TiDbRecFile::Copy(const TStoredRecord& record) const {
    TiDbRec copy;
    if (record.IdAt != NoId)
        std::memcpy(&copy.Id, FPaths.At(record.IdAt), 4);
    copy.PathLen = record.PathLen;
    copy.TextLen = record.TextLen;
    copy.Path = const_cast<char*>(PathOf(record));
    if (record.TextLen > 0)
        copy.Text = FTexts.At(record.TextAt);
    copy.Selected = record.Selected;
    return copy;
}

TiDbRec TiDbRecFile::Record(int32_t index) const {
    if (index < 1 || index > RecordCount())
        return {};
    return Copy(FRecords[static_cast<size_t>(index) - 1]);
}

bool TiDbRecFile::LoadFromFile(const std::string& path, TProgressGauge* gauge) {
    FreeRecords();
    uint64_t fileSize = 0;
    std::FILE* file = OpenRegularFile(path, fileSize);
    if (file == nullptr)
        return false;
    TBlockReader reader(file);

    unsigned char countBytes[4];
    if (!reader.Read(reinterpret_cast<char*>(countBytes), 4, false)) {
        std::fclose(file);
        return false;
    }
    // The count is only a promise of the file: nothing is allocated from it beyond what the file's size
    // allows. A negative count marks a damaged file; its records are read until the data ends and the load
    // reports failure.
    const auto recordCount = static_cast<int32_t>(LE(countBytes, 4));
    const bool damagedCount = recordCount < 0;
    bool ok = !damagedCount;

    // Every record takes at least its 8-byte header from the file and gives at most its path and text with
    // two terminating zeros, so the file's size bounds both the record array and the block of strings.
    // Reserved pages that stay unwritten cost no memory.
    const uint64_t room = fileSize > 4 ? fileSize - 4 : 0;
    const uint64_t most = std::min<uint64_t>({room / RecordHeaderLen, uint64_t(INT32_MAX),
                                              damagedCount ? uint64_t(INT32_MAX) : uint64_t(recordCount)});
    try {
        FRecords.reserve(static_cast<size_t>(most));
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        return false;
    }
    // The id before a path and a zero after it fit in its header's 8 bytes, a text's zero likewise; the
    // offsets of the ids take 32 bits, which only a database of more than 4 GB of paths outgrows.
    if (!FPaths.Reserve(std::min<uint64_t>(room, NoId)) || !FTexts.Reserve(room)) {
        FreeRecords();
        std::fclose(file);
        return false;
    }

    if (gauge != nullptr) {
        gauge->SetProgress(0);
        gauge->Show();
    }
    for (int64_t i = 1; damagedCount || i <= recordCount; ++i) {
        unsigned char header[RecordHeaderLen];
        if (FRecords.size() == most || !reader.Read(reinterpret_cast<char*>(header), RecordHeaderLen, false)) {
            ok = false;
            break;
        }
        TStoredRecord record{};
        record.PathLen = static_cast<uint16_t>(LE(header + 4, 2));
        record.TextLen = static_cast<uint16_t>(LE(header + 6, 2));
        record.IdAt = NoId;
        record.TextAt = FTexts.Used() & OffsetMask;
        // An empty record keeps no id.
        if (record.PathLen > 0 || record.TextLen > 0) {
            const uint64_t pathNeed = 4 + (record.PathLen == 0 ? 0 : record.PathLen + 1u);
            const uint64_t textNeed = record.TextLen == 0 ? 0 : record.TextLen + 1u;
            // The file can only outgrow its size while it is read; the rest is then not read.
            if (pathNeed > FPaths.Room() || textNeed > FTexts.Room()) {
                ok = false;
                break;
            }
            record.IdAt = static_cast<uint32_t>(FPaths.Used());
            char* id = FPaths.End();
            const uint32_t value = LE(header, 4);
            std::memcpy(id, &value, 4);
            if (record.PathLen > 0) {
                if (!reader.Read(id + 4, record.PathLen, true)) {
                    ok = false;
                    break;
                }
                id[4 + record.PathLen] = '\0';
            }
            if (record.TextLen > 0) {
                char* text = FTexts.End();
                if (!reader.Read(text, record.TextLen, true)) {
                    ok = false;
                    break;
                }
                text[record.TextLen] = '\0';
            }
            FPaths.Commit(pathNeed);
            FTexts.Commit(textNeed);
        }
        FRecords.push_back(record);
        if (gauge != nullptr) {
            if (!damagedCount)
                gauge->SetProgress(static_cast<int32_t>(static_cast<double>(i) / recordCount * 100.0));
            gauge->ProcessMessages();
        }
    }
    FPaths.Shrink();
    FTexts.Shrink();
    if (gauge != nullptr)
        gauge->Hide();
    std::fclose(file);
    return ok;
}

TPathLevels TiDbRecFile::SplitPath(const char* path) {
    const TPathViews v = SplitPathViews(path);
    return {std::string(v.L1), std::string(v.L2), std::string(v.L3), std::string(v.L4)};
}

void TiDbRecFile::SelectAll() {
    const int32_t n = RecordCount();
    // The count is exact, so when it equals the number of records every flag is already set.
    if (FSelectedCount != n)
        for (TStoredRecord& record : FRecords)
            record.Selected = true;
    FSelectedCount = n;
    if (n == 0) {
        FCursorOrdinal = FCursorIndex = 0;
    } else if (FCursorIndex != 0 && FCursorIndex <= n) {
        // With everything selected an ordinal equals its index.
        FCursorOrdinal = FCursorIndex;
    } else {
        FCursorOrdinal = FCursorIndex = 1;
    }
}

void TiDbRecFile::SelectNone() {
    for (TStoredRecord& record : FRecords)
        record.Selected = false;
    FCursorOrdinal = FCursorIndex = FSelectedCount = 0;
}

void TiDbRecFile::SelectSection(char code) {
    FCursorOrdinal = FCursorIndex = FSelectedCount = 0;
    const int32_t n = RecordCount();
    for (int32_t i = 1; i <= n; ++i) {
        TStoredRecord& record = FRecords[static_cast<size_t>(i) - 1];
        record.Selected = record.PathLen != 0 && PathOf(record)[0] == code;
        if (!record.Selected)
            continue;
        ++FSelectedCount;
        if (FCursorOrdinal == 0) {
            FCursorOrdinal = 1;
            FCursorIndex = i;
        }
    }
}

int32_t TiDbRecFile::FindSelected(int32_t ordinal) {
    const int32_t n = RecordCount();
    const int32_t s = FSelectedCount;
    // Only ordinals 1 to the selected count have a record: walking for one below would hand back the first
    // record, and for one above the count the backward walk would stop on the last record, selected or not.
    if (n == 0 || ordinal > n || ordinal < 1 || ordinal > s)
        return 0;
    const int32_t k = FCursorOrdinal;
    const int32_t c = FCursorIndex;
    const bool usable = c >= 1 && c <= n;
    if (ordinal == k && usable)
        return c;

    int32_t i = 1;
    int32_t m = 0;
    bool forwards = true;
    if (usable && ordinal > k) {
        // Ties go to the far end.
        if (ordinal - k < s - ordinal) {
            i = c + 1;
            m = k;
        } else {
            i = n;
            m = s + 1;
            forwards = false;
        }
    } else if (usable && ordinal < k) {
        if (k - ordinal < ordinal - 1) {
            i = c - 1;
            m = k;
            forwards = false;
        }
    }
    if (forwards) {
        while (i <= n && m < ordinal) {
            if (IsSelected(i))
                ++m;
            if (m < ordinal)
                ++i;
        }
    } else {
        while (i >= 1 && m > ordinal) {
            if (IsSelected(i))
                --m;
            if (m > ordinal)
                --i;
        }
    }
    if (i < 1 || i > n || m != ordinal)
        return 0;
    FCursorOrdinal = ordinal;
    FCursorIndex = i;
    return i;
}

void TiDbRecFile::GetSelected(int32_t ordinal, TiDbRec& record) {
    const int32_t index = FindSelected(ordinal);
    if (index == 0) {
        record = TiDbRec{};
        return;
    }
    record = Copy(FRecords[static_cast<size_t>(index) - 1]);
}

namespace {

// The bit of InitialLetters for a title: bit 0 for "A" to bit 25 for "Z", nothing for other beginnings.
uint32_t InitialBit(std::string_view title) {
    return !title.empty() && IsAsciiLetter(title[0]) ? 1u << (UpperAscii(title[0]) - 'A') : 0u;
}

void AppendTitleLine(std::vector<std::string>& list, int32_t ordinal, std::string_view title) {
    char digits[16];
    const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, ordinal).ptr - digits);
    // One allocation per line: its size is known before it is written.
    std::string& entry = list.emplace_back(length + 1 + title.size(), '|');
    std::memcpy(entry.data(), digits, length);
    if (!title.empty())
        std::memcpy(entry.data() + length + 1, title.data(), title.size());
}

} // namespace

// Walks the selection in file order with the running ordinal that counts every selected record, handing each
// selected record's ordinal and path levels to visit.
template <typename Visit> void TiDbRecFile::ForEachTopic(Visit&& visit) const {
    int32_t ordinal = 0;
    for (const TStoredRecord& record : FRecords) {
        if (!record.Selected)
            continue;
        ++ordinal;
        visit(ordinal, SplitPathViews(PathOf(record)));
    }
}

namespace {
// A record that the listings list: a title, no extra level.
bool IsListedTopic(const TPathViews& v) {
    return v.L3.empty() && v.L4.empty() && !v.L2.empty();
}
} // namespace

const std::vector<TiDbRecFile::TTitleEntry>& TiDbRecFile::TitleOrder() {
    if (FTitleOrderBuilt)
        return FTitleOrder;
    FTitleOrderBuilt = true;
    struct TKeyed {
        TTitleKey Key;
        TTitleEntry Entry;
    };
    std::vector<TKeyed> keyed;
    for (size_t i = 0; i < FRecords.size(); ++i) {
        const char* path = PathOf(FRecords[i]);
        const TPathViews v = SplitPathViews(path);
        if (v.L2.empty())
            continue;
        TTitleEntry entry{};
        entry.Index = static_cast<uint32_t>(i);
        entry.TitleLen = static_cast<uint8_t>(v.L2.size());
        entry.Listed = IsListedTopic(v);
        entry.Quorindex = v.L1 == "4";
        keyed.push_back({{TitlePrefix(v.L2), v.L2, i}, entry});
    }
    std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) { return TitleKeyLess(a.Key, b.Key); });
    size_t textSize = 0;
    for (const TKeyed& k : keyed)
        textSize += k.Key.Title.size();
    FTitleOrder.reserve(keyed.size());
    FTitleOrderTexts.reserve(textSize);
    for (TKeyed& k : keyed) {
        // The titles lie in the paths block, which stays below 4 GB, so their copies do too.
        k.Entry.TitleAt = static_cast<uint32_t>(FTitleOrderTexts.size());
        FTitleOrderTexts += k.Key.Title;
        FTitleOrder.push_back(k.Entry);
    }
    return FTitleOrder;
}

// Hands each selected record's ordinal, title, whether it is a listed topic and whether it belongs to the
// Quorindex to visit, in the order asked. In title order, records without a title are left out: they list
// nothing and begin with no letter.
template <typename Visit> void TiDbRecFile::ForEachTitle(TListOrder order, Visit&& visit) {
    if (order == TListOrder::File) {
        ForEachTopic([&](int32_t ordinal, const TPathViews& v) { visit(ordinal, v.L2, IsListedTopic(v), v.L1 == "4"); });
        return;
    }
    const std::vector<TTitleEntry>& entries = TitleOrder();
    if (entries.empty())
        return;
    // Each record's ordinal counts the selected records up to it in file order.
    const std::unique_ptr<int32_t[]> ordinals(new int32_t[FRecords.size()]);
    int32_t ordinal = 0;
    for (size_t i = 0; i < FRecords.size(); ++i) {
        ordinal += FRecords[i].Selected ? 1 : 0;
        ordinals[i] = ordinal;
    }
    for (const TTitleEntry& entry : entries) {
        const TStoredRecord& record = FRecords[entry.Index];
        if (record.Selected)
            visit(ordinals[entry.Index], std::string_view(FTitleOrderTexts.data() + entry.TitleAt, entry.TitleLen),
                  entry.Listed != 0, entry.Quorindex != 0);
    }
}

void TiDbRecFile::ListTitles(TTitleSelector selector, std::vector<std::string>& list, uint32_t* initials,
                             TListOrder order) {
    list.clear();
    uint32_t letters = 0;
    ForEachTitle(order, [&](int32_t ordinal, std::string_view title, bool listed, bool quorindex) {
        letters |= InitialBit(title);
        if (!listed)
            return;
        if (selector == TTitleSelector::tsBook && quorindex)
            return;
        if (selector == TTitleSelector::tsQuorindex && !quorindex)
            return;
        AppendTitleLine(list, ordinal, title);
    });
    if (initials != nullptr)
        *initials = letters;
}

void TiDbRecFile::ListBookAndQuorindexTitles(std::vector<std::string>& book, std::vector<std::string>& quorindex,
                                             TListOrder order) {
    book.clear();
    quorindex.clear();
    ForEachTitle(order, [&](int32_t ordinal, std::string_view title, bool listed, bool inQuorindex) {
        if (listed)
            AppendTitleLine(inQuorindex ? quorindex : book, ordinal, title);
    });
}

bool TiDbRecFile::HasInitial(char letter) {
    if (!IsAsciiLetter(letter))
        return false;
    return (InitialLetters() >> (UpperAscii(letter) - 'A')) & 1u;
}

uint32_t TiDbRecFile::InitialLetters() {
    uint32_t letters = 0;
    ForEachTopic([&](int32_t, const TPathViews& v) { letters |= InitialBit(v.L2); });
    return letters;
}

template <typename Match> void TiDbRecFile::SelectWhere(TProgressGauge* gauge, Match&& match) {
    const int32_t n = RecordCount();
    for (int32_t i = 1; i <= n; ++i) {
        TStoredRecord& stored = FRecords[static_cast<size_t>(i) - 1];
        const TiDbRec record = Copy(stored);
        const TPathViews v = SplitPathViews(record.Path);
        stored.Selected = match(record, v);
        if (stored.Selected) {
            if (FCursorOrdinal == 0) {
                FCursorOrdinal = 1;
                FCursorIndex = i;
            }
            ++FSelectedCount;
        }
        if (gauge != nullptr)
            gauge->SetProgress(static_cast<int32_t>(static_cast<double>(i) / n * 100.0));
    }
}

namespace {

std::string_view TextOf(const TiDbRec& record) {
    return record.Text == nullptr ? std::string_view() : std::string_view(record.Text, record.TextLen);
}

} // namespace

// The common course of both searches: fold and parse the query, then test every record, the gauge shown
// around the pass. A query of length 0 matches nothing.
template <typename Match>
void TiDbRecFile::SelectByTerms(TiDbQuery& query, TProgressGauge* gauge, Match&& match) {
    FCursorOrdinal = FCursorIndex = FSelectedCount = 0;
    FoldQuery(query);
    const TQueryMatcher matcher(ParseQuery(std::string_view(query.Text, query.Text ? query.TextLen : 0)));
    const bool emptyQuery = query.TextLen <= 0;
    if (gauge != nullptr) {
        gauge->SetProgress(0);
        gauge->Show();
    }
    SelectWhere(gauge, [&](const TiDbRec& record, const TPathViews& v) {
        return !emptyQuery && match(record, v, matcher);
    });
    if (gauge != nullptr)
        gauge->Hide();
}

namespace {
// A record that the keyword search tests: a topic outside the Quorindex entries.
bool IsSearchedTopic(const TPathViews& v) {
    return v.L1 != "4" && !v.L2.empty() && v.L3.empty() && v.L4.empty();
}

bool MatchesKeywordQuery(const TiDbRec& record, const TPathViews& v, const TQueryMatcher& matcher) {
    if (!IsSearchedTopic(v))
        return false;
    const std::string_view text = TextOf(record);
    return !text.empty() && matcher.Matches(text, true);
}
} // namespace

void TiDbRecFile::SelectByQuery(TiDbQuery& query, TProgressGauge* gauge) {
    SelectByTerms(query, gauge, [](const TiDbRec& record, const TPathViews& v, const TQueryMatcher& matcher) {
        return MatchesKeywordQuery(record, v, matcher);
    });
}

void TiDbRecFile::VisitSearchedTopics(
    const std::function<bool(std::string_view title, std::string_view text)>& visit) const {
    for (const TStoredRecord& stored : FRecords) {
        const TiDbRec record = Copy(stored);
        const TPathViews v = SplitPathViews(record.Path);
        const std::string_view text = TextOf(record);
        if (IsSearchedTopic(v) && !text.empty() && !visit(v.L2, text))
            return;
    }
}

bool TiDbRecFile::AnyByQuery(TiDbQuery& query) const {
    FoldQuery(query);
    if (query.TextLen <= 0)
        return false;
    const TQueryMatcher matcher(ParseQuery(std::string_view(query.Text, query.Text ? query.TextLen : 0)));
    for (const TStoredRecord& stored : FRecords) {
        const TiDbRec record = Copy(stored);
        if (MatchesKeywordQuery(record, SplitPathViews(record.Path), matcher))
            return true;
    }
    return false;
}

void TiDbRecFile::SelectByLinkQuery(TiDbQuery& query, TProgressGauge* gauge) {
    SelectByTerms(query, gauge, [](const TiDbRec& record, const TPathViews& v, const TQueryMatcher& matcher) {
        if (v.L1.empty() || v.L2.empty() || !v.L3.empty() || !v.L4.empty())
            return false;
        const std::string_view text = TextOf(record);
        return (!text.empty() && matcher.Matches(text, false)) || matcher.Matches(v.L2, false);
    });
}

} // namespace orvalis
