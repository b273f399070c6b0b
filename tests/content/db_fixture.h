#pragma once

#include "content/idb_format.h"
#include "content/progress_gauge.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace orvalis::test {

// A scratch folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvalis-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "mkdtemp failed";
        FPath = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

inline void WriteBytes(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Encode(const std::vector<TRawRecord>& records) {
    std::string bytes;
    EXPECT_TRUE(EncodeDatabase(records, bytes));
    return bytes;
}

// Records every call of the content store to its gauge.
class RecordingGauge : public TProgressGauge {
public:
    void SetProgress(int32_t progress) override { Calls.push_back("progress " + std::to_string(progress)); }
    void Show() override { Calls.push_back("show"); }
    void Hide() override { Calls.push_back("hide"); }
    void ProcessMessages() override { Calls.push_back("messages"); }
    std::vector<std::string> Calls;
};

} // namespace orvalis::test
