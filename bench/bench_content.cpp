// Content store benchmarks, each side by side with its baseline on the same input:
//   orvalis-bench-content DB DUMP [RUNS]
// DB is a record database, DUMP its text dump ("orvalis-db dump"); the figures are medians of RUNS runs.
#include "content/book_words.h"
#include "content/idb_format.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double TimeMs(const std::function<void()>& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Alternates the two sides so that both see the same machine state, and prints the figure line. Each side
// returns the milliseconds of the work it is measured for.
void FigureTimed(const std::string& name, const std::string& baselineName, int runs,
                 const std::function<double()>& ours, const std::function<double()>& baseline) {
    std::vector<double> a, b;
    ours(); // warm caches on both sides
    baseline();
    for (int i = 0; i < runs; ++i) {
        a.push_back(ours());
        b.push_back(baseline());
    }
    const double x = Median(a), y = Median(b);
    std::printf("%s: ours %.2f ms, %s %.2f ms, ratio %.2f\n", name.c_str(), x, baselineName.c_str(), y,
                x / y);
    std::fflush(stdout);
}

void Figure(const std::string& name, const std::string& baselineName, int runs,
            const std::function<void()>& ours, const std::function<void()>& baseline) {
    FigureTimed(
        name, baselineName, runs, [&] { return TimeMs(ours); }, [&] { return TimeMs(baseline); });
}

// Runs a command in the C locale (grep's fastest) and returns what it printed. The output goes through a
// pipe, not to /dev/null: GNU grep notices /dev/null and stops at the first match.
std::string RunCapture(const std::vector<std::string>& argv, int* exitCode = nullptr) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<std::string> env{"LC_ALL=C", "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; rc == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (rc == 0)
        waitpid(pid, &status, 0);
    if (exitCode != nullptr)
        *exitCode = rc != 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

bool Available(const std::string& program) {
    int code = 0;
    RunCapture({program, "--version"}, &code);
    return code == 0;
}

// The load baseline: the whole file into memory in one read, then unscrambled in one pass. The buffer is
// kept between runs, as the loader's heap memory is reused between runs, so neither side pays for fresh
// pages.
size_t ReadAndUnscramble(const std::string& path) {
    static std::vector<char> buffer;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return 0;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    buffer.resize(static_cast<size_t>(size));
    const size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
    char* bytes = buffer.data(); // a local pointer, so that the loop vectorises
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(orvalis::ScrambleByte(static_cast<uint8_t>(bytes[i])));
    volatile char sink = n > 0 ? bytes[n / 2] : 0;
    (void)sink;
    return n;
}

int32_t Search(orvalis::TiDbRecFile& db, const std::string& text, bool link) {
    std::string q = text;
    orvalis::TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
    link ? db.SelectByLinkQuery(query, nullptr) : db.SelectByQuery(query, nullptr);
    return db.SelectedCount();
}

void SearchFigures(const std::string& name, orvalis::TiDbRecFile& db, const std::string& query, bool link,
                   const std::string& term, const std::string& dump, int runs) {
    const std::vector<std::string> grep{"grep", "-c", "-i", "-F", "--", term, dump};
    std::string lines = RunCapture(grep);
    lines.erase(lines.find_last_not_of('\n') + 1);
    std::printf("  %s %s: %d records match; grep finds '%s' on %s lines\n", name.c_str(), query.c_str(),
                Search(db, query, link), term.c_str(), lines.c_str());
    Figure(
        name, "grep", runs, [&] { Search(db, query, link); }, [&] { RunCapture(grep); });
    if (Available("rg")) {
        const std::vector<std::string> rg{"rg", "-c", "-i", "-F", "--", term, dump};
        Figure(
            name + " vs ripgrep", "ripgrep", runs, [&] { Search(db, query, link); }, [&] { RunCapture(rg); });
    } else {
        std::printf("  (ripgrep not installed: no ripgrep figure)\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "Usage: orvalis-bench-content DB DUMP [RUNS]\n";
        return 2;
    }
    const std::string db = argv[1], dump = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;

    // The loader is timed on a fresh database, as the program loads once at start; freeing the previous
    // run's records happens outside the measurement.
    FigureTimed(
        "load", "baseline", runs,
        [&] {
            orvalis::TiDbRecFile file;
            return TimeMs([&] { file.LoadFromFile(db, nullptr); });
        },
        [&] { return TimeMs([&] { ReadAndUnscramble(db); }); });

    orvalis::TiDbRecFile file;
    if (!file.LoadFromFile(db, nullptr)) {
        std::cerr << "orvalis-bench-content: " << db << " did not load completely\n";
        return 1;
    }
    std::printf("  %d records loaded\n", file.RecordCount());
    {
        // The word list of the search's corrections, built once, against the load itself; freed before the
        // searches are timed.
        orvalis::TBookWords words;
        FigureTimed(
            "word list", "load", runs, [&] { return TimeMs([&] { words.Build(file); }); },
            [&] {
                orvalis::TiDbRecFile loaded;
                return TimeMs([&] { loaded.LoadFromFile(db, nullptr); });
            });
        std::printf("  %zu titles and %zu words of the texts\n", words.TitleCount(), words.WordCount());
    }
    SearchFigures("query", file, "+foliumzuur", false, "foliumzuur", dump, runs);
    SearchFigures("link query", file, "+\"het lichaam\"", true, "het lichaam", dump, runs);
    return 0;
}
