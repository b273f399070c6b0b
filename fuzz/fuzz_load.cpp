// Loads a record database from arbitrary bytes and exercises every lookup on what was read. Every record
// loaded must hold exactly what the strict reader of the content tool reads at its place, and the one-pass
// listings must agree with the separate passes. A listing in title order holds the lines of the listing in
// file order, sorted by title, equal titles in file order.
#include "content/idb_format.h"
#include "content/idb_rec_file.h"
#include "content/title_order.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Whether sorted is inFileOrder sorted by title with equal titles in file order: the same lines, each title
// after the one before, equal titles by ascending ordinal (the lines' keys).
bool IsTitleOrderOf(const std::vector<std::string>& sorted, const std::vector<std::string>& inFileOrder) {
    std::vector<std::string> a = sorted, b = inFileOrder;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b)
        return false;
    const auto title = [](const std::string& line) { return std::string_view(line).substr(line.find('|') + 1); };
    for (size_t i = 1; i < sorted.size(); ++i) {
        const int order = orvalis::CompareTitles(title(sorted[i - 1]), title(sorted[i]));
        if (order > 0 || (order == 0 && std::stol(sorted[i - 1]) >= std::stol(sorted[i])))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/orvalis-fuzz-load-" + std::to_string(getpid()) + ".dat";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    orvalis::TiDbRecFile db;
    const bool loaded = db.LoadFromFile(path, nullptr);
    const orvalis::TDecodeResult strict = orvalis::DecodeDatabase(
        std::string_view(reinterpret_cast<const char*>(data), size));
    // A file the strict reader accepts completely loads completely, with the same number of records.
    if (strict.Complete && (!loaded || db.RecordCount() != static_cast<int32_t>(strict.Records.size())))
        __builtin_trap();

    const size_t comparable = std::min(strict.Records.size(), static_cast<size_t>(db.RecordCount()));
    for (size_t i = 0; i < comparable; ++i) {
        const orvalis::TRawRecord& raw = strict.Records[i];
        const orvalis::TiDbRec r = db.Record(static_cast<int32_t>(i) + 1);
        const bool empty = raw.Path.empty() && raw.Text.empty();
        const std::string_view path = r.Path ? std::string_view(r.Path, r.PathLen) : std::string_view();
        const std::string_view text = r.Text ? std::string_view(r.Text, r.TextLen) : std::string_view();
        if (r.Id != (empty ? 0 : raw.Id) || path != raw.Path || text != raw.Text ||
            (r.Path && r.Path[r.PathLen] != '\0') || (r.Text && r.Text[r.TextLen] != '\0'))
            __builtin_trap();
    }

    std::vector<std::string> titles, again, book, quorindex, sorted, sortedBook, sortedQuorindex;
    for (char section : {'1', '2', '3', '4'}) {
        db.SelectSection(section);
        uint32_t initials = 0;
        db.ListTitles(orvalis::TTitleSelector::tsAll, titles, &initials);
        db.ListTitles(orvalis::TTitleSelector::tsBook, again);
        db.ListBookAndQuorindexTitles(book, quorindex);
        if (initials != db.InitialLetters() || book != again)
            __builtin_trap();
        uint32_t sortedInitials = 0;
        db.ListTitles(orvalis::TTitleSelector::tsAll, sorted, &sortedInitials, orvalis::TListOrder::Title);
        db.ListBookAndQuorindexTitles(sortedBook, sortedQuorindex, orvalis::TListOrder::Title);
        if (sortedInitials != initials || !IsTitleOrderOf(sorted, titles) || !IsTitleOrderOf(sortedBook, book) ||
            !IsTitleOrderOf(sortedQuorindex, quorindex))
            __builtin_trap();
        for (int32_t n = db.SelectedCount(); n >= 0; --n) {
            orvalis::TiDbRec r;
            db.GetSelected(n, r);
        }
        db.HasInitial('A');
    }
    db.SelectAll();
    for (int32_t n = -1; n <= db.SelectedCount() + 1; n += 3)
        db.FindSelected(n);
    return 0;
}
