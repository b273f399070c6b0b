// Writes a large synthetic record database: orvalis-gen-db OUT [RECORDS [STREAM]].
#include "synthetic_db.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4 || std::string(argv[1]) == "--help") {
        std::cerr << "Usage: orvalis-gen-db OUT [RECORDS [STREAM]]\n"
                     "Writes a synthetic record database (default 20000 records, about 40 MB); STREAM picks "
                     "another\n"
                     "stream of random choices (default 1).\n";
        return argc < 2 ? 2 : 0;
    }
    orvalis::bench::TSyntheticOptions options;
    if (argc > 2)
        options.Records = std::atoi(argv[2]);
    if (argc > 3)
        options.Stream = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    if (options.Records < 0) {
        std::cerr << "orvalis-gen-db: RECORDS must not be negative\n";
        return 2;
    }
    std::string bytes;
    if (!orvalis::EncodeDatabase(orvalis::bench::MakeSyntheticDatabase(options), bytes)) {
        std::cerr << "orvalis-gen-db: a record does not fit the file format\n";
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "orvalis-gen-db: cannot write " << argv[1] << "\n";
        return 1;
    }
    std::cout << "wrote " << options.Records << " records, " << bytes.size() << " bytes, to " << argv[1]
              << "\n";
    return 0;
}
