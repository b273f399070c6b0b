// Replays a fuzz target's corpus as an ordinary test: every file of the folders given is fed to the target's
// entry point once, in name order. A fault once found and kept in the corpus is found again by every build,
// the sanitizer build included. An empty or missing corpus fails, so the test cannot pass without input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#ifdef ORVALIS_REPLAY_GUI
#include <QGuiApplication>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
#ifdef ORVALIS_REPLAY_GUI
    // The layout measures text with the window system's fonts.
    QGuiApplication app(argc, argv);
#endif
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        if (error) {
            std::fprintf(stderr, "replay: cannot read %s\n", argv[i]);
            return 1;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "replay: no corpus files\n");
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<uint8_t> data(bytes.begin(), bytes.end());
        // An empty vector's data() may be null; the targets get a valid pointer as libFuzzer gives them.
        data.reserve(1);
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("replayed %zu corpus files\n", files.size());
    return 0;
}
