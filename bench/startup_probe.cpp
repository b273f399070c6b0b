// Times a program's start on an X server: from starting the process until a top-level window of the
// screen's full size is mapped; then reads its peak memory and ends it. Alternates the programs given and
// prints one figure line with the medians: startup_probe RUNS OURS BASELINE.
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Whether a mapped window as large as the screen exists among the root's children (or theirs, for a
// window manager's frames).
bool FullScreenWindowMapped(Display* display, Window window, int depth, int width, int height) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable)
            continue;
        found = (a.width >= width && a.height >= height) ||
                (depth < 1 && FullScreenWindowMapped(display, children[i], depth + 1, width, height));
    }
    if (children)
        XFree(children);
    return found;
}

long PeakKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

struct TRun {
    double Ms = 0;
    long PeakKb = 0;
};

TRun Start(Display* display, const std::string& program) {
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    TRun run;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (FullScreenWindowMapped(display, DefaultRootWindow(display), 0, width, height)) {
            run.Ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Settled: what the program holds once its first page shows.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    run.PeakKb = PeakKilobytes(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XSync(display, False);
    return run;
}

// Windows come and go while the tree is walked; a window gone by the time it is asked about is no error.
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS OURS BASELINE [FIGURE]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> ours, base, oursPeak, basePeak;
    for (int i = 0; i < runs; ++i) {
        const TRun a = Start(display, argv[2]);
        const TRun b = Start(display, argv[3]);
        if (a.Ms <= 0 || b.Ms <= 0) {
            std::fprintf(stderr, "startup_probe: a window did not appear\n");
            return 1;
        }
        ours.push_back(a.Ms);
        base.push_back(b.Ms);
        oursPeak.push_back(static_cast<double>(a.PeakKb) / 1024.0);
        basePeak.push_back(static_cast<double>(b.PeakKb) / 1024.0);
    }
    const double x = Median(ours), y = Median(base);
    const char* figure = argc > 4 ? argv[4] : "startup";
    std::printf("%s: ours %.1f ms, baseline %.1f ms, ratio %.2f (peak memory: ours %.1f MB, baseline %.1f MB)\n",
                figure, x, y, x / y, Median(oursPeak), Median(basePeak));
    XCloseDisplay(display);
    return 0;
}
