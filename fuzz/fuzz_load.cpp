// Loads a record database from arbitrary bytes and exercises every lookup on what was read.
#include "content/idb_format.h"
#include "content/idb_rec_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

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

    std::vector<std::string> titles;
    for (char section : {'1', '2', '3', '4'}) {
        db.SelectSection(section);
        db.ListTitles(orvalis::TTitleSelector::tsAll, titles);
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
