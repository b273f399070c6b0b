#pragma once

#include "content/idb_rec.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class TProgressGauge;
struct TiDbQuery;

// The four levels of a record path "L1|L2|L3|L4", each cut at 255 characters. L1 is the section code ("1"
// to "3" for the book's sections, "4" for the Quorindex), L2 the title; L3 = L2 marks an extra-information
// record and L4 = L2 a recipe record.
struct TPathLevels {
    std::string L1, L2, L3, L4;
};

// Which title lines ListTitles produces from the selected records.
enum class TTitleSelector : int {
    tsAll = 2,        // every topic record
    tsBook = 20,      // topic records outside the Quorindex
    tsQuorindex = 24, // Quorindex entries only
};

// The order in which the listings hand out their lines: file order, or sorted by title (content/title_order.h),
// equal titles in file order.
enum class TListOrder { File, Title };

// The record database held in memory: every record in file order, a selection flag per record and a lookup
// cursor that makes walking the selection in order cost one step per record. The records lie in one array
// of 16 bytes each and their paths and texts, zero-terminated, in two blocks, so that a file of many small
// or empty records takes no more than about twice its size and every pass walks memory in order.
class TiDbRecFile {
public:
    TiDbRecFile();
    ~TiDbRecFile();
    TiDbRecFile(const TiDbRecFile&) = delete;
    TiDbRecFile& operator=(const TiDbRecFile&) = delete;

    // Replaces the content by the file's. False when the file cannot be opened or is cut short; records
    // read before the failure stay loaded. The gauge, when given, advances per record.
    bool LoadFromFile(const std::string& path, TProgressGauge* gauge);

    static TPathLevels SplitPath(const char* path);

    void SelectAll();
    void SelectNone();
    // Selects exactly the records whose path begins with the code character.
    void SelectSection(char code);

    // Index (1-based, into all records) of the record at the 1-based ordinal within the selection, or 0.
    int32_t FindSelected(int32_t ordinal);
    // A copy of the record at the ordinal sharing its buffers, or an all-zero record.
    void GetSelected(int32_t ordinal, TiDbRec& record);
    // Fills the list with "ordinal|title" for the listed topic records of the selection, in the order asked.
    // With initials, also sets them to InitialLetters() from the same pass. In title order the lines come
    // from an order of all titles sorted once, so listing a selection costs one step per titled record and
    // sorts nothing.
    void ListTitles(TTitleSelector selector, std::vector<std::string>& list, uint32_t* initials = nullptr,
                    TListOrder order = TListOrder::File);
    // ListTitles of tsBook and of tsQuorindex at once, in one pass.
    void ListBookAndQuorindexTitles(std::vector<std::string>& book, std::vector<std::string>& quorindex,
                                    TListOrder order = TListOrder::File);
    // Whether a selected record's title begins with the ASCII letter, compared without case.
    bool HasInitial(char letter);
    // The ASCII letters that begin a selected record's title, compared without case: bit 0 for "A" to bit
    // 25 for "Z". One pass for all 26 letters.
    uint32_t InitialLetters();

    // The searches: they replace the selection by the records matching the query (see idb_query.h). The
    // query text is folded to lower case in place.
    void SelectByQuery(TiDbQuery& query, TProgressGauge* gauge);
    void SelectByLinkQuery(TiDbQuery& query, TProgressGauge* gauge);

    // The records the keyword search tests (topics of the sections "1" to "3" that have a text), in file
    // order: their titles and texts, until the visitor returns false. The selection stays as it is.
    void VisitSearchedTopics(
        const std::function<bool(std::string_view title, std::string_view text)>& visit) const;
    // Whether SelectByQuery with the query would select a record; it stops at the first and leaves the
    // selection as it is. The query text is folded to lower case in place.
    bool AnyByQuery(TiDbQuery& query) const;

    int32_t SelectedCount() const { return FSelectedCount; }
    int32_t CursorOrdinal() const { return FCursorOrdinal; }
    int32_t CursorIndex() const { return FCursorIndex; }
    int32_t RecordCount() const { return static_cast<int32_t>(FRecords.size()); }
    // A copy of the record at the 1-based index into all records, sharing its buffers, or an all-zero
    // record; for tools that inspect the whole file.
    TiDbRec Record(int32_t index) const;

private:
    // The strings of the records, one after another, each followed by a zero. Reserved pages that stay
    // unwritten cost no memory, and the block gives back what it did not use once loading ends.
    class TStringBlock {
    public:
        bool Reserve(uint64_t size);
        uint64_t Room() const { return FSize - FUsed; }
        uint64_t Used() const { return FUsed; }
        char* At(uint64_t offset) const { return FData.get() + offset; }
        // Room for count bytes at the end, to be filled before Commit; the caller checked Room.
        char* End() const { return FData.get() + FUsed; }
        void Commit(uint64_t count) { FUsed += count; }
        void Shrink();
        void Clear();

    private:
        struct TFree {
            void operator()(char* block) const { std::free(block); }
        };
        std::unique_ptr<char, TFree> FData;
        uint64_t FSize = 0;
        uint64_t FUsed = 0;
    };

    // A record in 16 bytes. The paths (each after its record's 4-byte id) lie in a block of their own, so
    // that the passes over paths, which every listing and search makes, read memory in order and little of
    // it; an empty record keeps nothing there.
    struct TStoredRecord {
        uint64_t TextAt : 63; // offset of the text in FTexts
        uint64_t Selected : 1;
        uint32_t IdAt; // offset of the id, and behind it the path, in FPaths; NoId for an empty record
        uint16_t PathLen;
        uint16_t TextLen;
    };
    static_assert(sizeof(TStoredRecord) == 16);
    static constexpr uint32_t NoId = UINT32_MAX;

    // A record with a title, in the order of all titles: its title, copied into FTitleOrderTexts in the same
    // order so that a listing reads the titles in sequence, and what the listings need of the other levels.
    struct TTitleEntry {
        uint32_t Index;   // 0-based into FRecords
        uint32_t TitleAt; // into FTitleOrderTexts
        uint8_t TitleLen;
        uint8_t Listed : 1;    // a topic record: L3 and L4 empty
        uint8_t Quorindex : 1; // L1 is "4"
    };

    void FreeRecords();
    bool IsSelected(int32_t index) const { return FRecords[static_cast<size_t>(index) - 1].Selected; }
    const char* PathOf(const TStoredRecord& record) const;
    TiDbRec Copy(const TStoredRecord& record) const;
    template <typename Visit> void ForEachTopic(Visit&& visit) const;
    template <typename Visit> void ForEachTitle(TListOrder order, Visit&& visit);
    // Built at the first listing in title order after a load.
    const std::vector<TTitleEntry>& TitleOrder();
    template <typename Match> void SelectWhere(TProgressGauge* gauge, Match&& match);
    template <typename Match> void SelectByTerms(TiDbQuery& query, TProgressGauge* gauge, Match&& match);

    std::vector<TStoredRecord> FRecords;
    std::vector<TTitleEntry> FTitleOrder;
    std::string FTitleOrderTexts;
    bool FTitleOrderBuilt = false;
    TStringBlock FPaths;
    TStringBlock FTexts;
    int32_t FCursorOrdinal = 0;
    int32_t FCursorIndex = 0;
    int32_t FSelectedCount = 0;
};

} // namespace orvalis
