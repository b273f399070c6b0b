// The main window's section switch on a large database: entering a section until its first topic is
// painted, against the content store's own work for it (select, list, sort), alternated in one process. The
// window is driven by the mouse and key events the reader's actions deliver, so it paints as it would then.
#include "app/main_form.h"
#include "content/idb_query.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "reading/title_lines.h"

#include "controls/markup_layout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A press and a release of the left button at the point of the control.
void ClickAt(orvalis::TControl* control, QPoint at) {
    QWidget* widget = control->Widget();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &e);
    }
}

void Click(orvalis::TControl* control) {
    ClickAt(control, QPoint(control->Width() / 2, control->Height() / 2));
}

} // namespace

// bench-window PROGRAM_FOLDER [RUNS]: the folder holds I/ and D/iDbRecs.dat.
int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER [RUNS]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    using namespace orvalis;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    SetProgramFolder(argv[1]);
    TScreenOverride screen({.Width = 1024, .Height = 768, .BitsPerPixel = 24});
    TMainForm form;
    form.ShowWindow();
    Application().ProcessMessages();

    std::vector<double> ours, store;
    for (int run = 0; run < runs; ++run) {
        form.MainMenuBtnClick(nullptr);
        Application().ProcessMessages();
        Clock::time_point start = Clock::now();
        Click(form.Entry1Btn);
        ours.push_back(Since(start));

        start = Clock::now();
        form.State.RecFile->SelectAll();
        form.State.RecFile->SelectSection('1');
        std::vector<std::string> lines;
        form.State.RecFile->ListTitles(TTitleSelector::tsAll, lines, nullptr, TListOrder::Title);
        store.push_back(Since(start));
    }
    const double x = Median(ours), y = Median(store);
    std::printf("section switch: ours %.2f ms, baseline %.2f ms, ratio %.2f\n", x, y, x / y);

    // A typed search from its Enter key, and a link click, until the first result's topic is painted,
    // against the scan alone on the same query.
    const auto scanAlone = [&form](const std::string& text, bool link) {
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        TiDbQuery query{buffer.data(), static_cast<int32_t>(text.size())};
        const Clock::time_point start = Clock::now();
        if (link)
            form.State.RecFile->SelectByLinkQuery(query, nullptr);
        else
            form.State.RecFile->SelectByQuery(query, nullptr);
        return Since(start);
    };
    const std::string word = "vitamine";
    // The scan alone runs before the window's action in every other run, so that neither of the two finds
    // the texts warm in the caches from the other more often.
    std::vector<double> searchOurs, searchScan, linkOurs, linkScan;
    for (int run = 0; run < runs; ++run) {
        const bool scanFirst = run % 2 == 1;
        Click(form.Entry1Btn);
        Click(form.SearchBtn);
        form.Search->SearchEdit->SetText(word);
        Application().ProcessMessages();
        if (scanFirst)
            searchScan.push_back(scanAlone("+" + word, false));
        Clock::time_point start = Clock::now();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(form.Search->SearchEdit->Widget(), &enter);
        searchOurs.push_back(Since(start));
        if (!scanFirst)
            searchScan.push_back(scanAlone("+" + word, false));

        // The first link of the section's first topic.
        Click(form.Entry1Btn);
        Application().ProcessMessages();
        TPointerChain& links = form.Topic->MainText->HyperLinks();
        if (links.Count() < 1) {
            std::fprintf(stderr, "the first topic has no link\n");
            return 1;
        }
        const auto* link = static_cast<const THyperLinkArea*>(links.Get(1));
        const std::string target = link->HRef;
        const QPoint at((link->Area.Left + link->Area.Right) / 2, (link->Area.Top + link->Area.Bottom) / 2);
        if (scanFirst)
            linkScan.push_back(scanAlone("+\"" + target + "\"", true));
        start = Clock::now();
        ClickAt(form.Topic->MainText, at);
        linkOurs.push_back(Since(start));
        if (!scanFirst)
            linkScan.push_back(scanAlone("+\"" + target + "\"", true));
        Click(form.BackBtn);
    }
    for (const auto& [name, a, b] : {std::tuple{"search end to end", Median(searchOurs), Median(searchScan)},
                                     std::tuple{"link end to end", Median(linkOurs), Median(linkScan)}})
        std::printf("%s: ours %.2f ms, baseline %.2f ms, ratio %.2f\n", name, a, b, a / b);
    form.State.RecFile.reset();
    return 0;
}
