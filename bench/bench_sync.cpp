// Measures one synchronised click and one synchronised scroll with the real widgets on the
// offscreen platform: the time from the user's input to the end of the event procedure, and how
// often each list repaints afterwards. Prints figures; never fails.
#include "form/Form1Description.h"
#include "framework/qt/Form1Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class PaintCounter final : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++Count;
        }
        return false;
    }
};

struct Figures {
    std::vector<double> Microseconds;
    std::vector<double> RepaintMicroseconds;
    std::vector<int> MostRepaintsOfOneList;
    std::vector<int> ListsRepainted;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Print(const char* what, const Figures& figures)
{
    std::vector<double> sorted = figures.Microseconds;
    std::sort(sorted.begin(), sorted.end());
    const int worstRepaints = *std::max_element(figures.MostRepaintsOfOneList.begin(),
                                                figures.MostRepaintsOfOneList.end());
    const int fewestLists =
        *std::min_element(figures.ListsRepainted.begin(), figures.ListsRepainted.end());
    std::printf("%-34s runs %zu  median %7.1f us  p90 %7.1f us  then repaint median %7.1f us  "
                "max repaints of one list %d  lists repainted at least %d of 7\n",
                what, sorted.size(), Median(sorted), sorted[sorted.size() * 9 / 10],
                Median(figures.RepaintMicroseconds), worstRepaints, fewestLists);
}

void WheelNotch(QWidget* viewport, int notches)
{
    const QPoint inside = viewport->rect().center();
    QWheelEvent event(inside, viewport->mapToGlobal(inside), {}, {0, notches * 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    framework::qt::Form1Window window(form::Form1Description());
    window.Load();
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowExposed(&window);

    std::vector<PaintCounter> counters(logic::ListCount);
    for (int number = 1; number <= logic::ListCount; ++number) {
        window.List(number)->viewport()->installEventFilter(&counters[number - 1]);
    }
    const auto measure = [&](Figures& figures, const auto& act) {
        QApplication::processEvents();
        for (PaintCounter& counter : counters) {
            counter.Count = 0;
        }
        QElapsedTimer clock;
        clock.start();
        act();
        figures.Microseconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        clock.restart();
        QApplication::processEvents(); // the repaint the procedure asked for
        figures.RepaintMicroseconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        int most = 0;
        int lists = 0;
        for (const PaintCounter& counter : counters) {
            most = std::max(most, counter.Count);
            lists += counter.Count > 0 ? 1 : 0;
        }
        figures.MostRepaintsOfOneList.push_back(most);
        figures.ListsRepainted.push_back(lists);
    };

    framework::qt::ListBox* hb = window.List(1);
    Figures clicks;
    for (int run = 0; run < runs; ++run) {
        const QRect row = hb->RowRect(run % 2 == 0 ? 5 : 9);
        measure(clicks,
                [&] { QTest::mouseClick(hb->viewport(), Qt::LeftButton, {}, row.center()); });
    }

    framework::qt::ListBox* hrc = window.List(3);
    Figures scrolls;
    for (int run = 0; run < runs; ++run) {
        measure(scrolls, [&] { WheelNotch(hrc->viewport(), run % 2 == 0 ? -1 : 1); });
    }

    std::printf("synchronised click and scroll, real widgets, offscreen platform\n");
    Print("click (mouse press+release, List1)", clicks);
    Print("scroll (one wheel notch, List3)", scrolls);
    return 0;
}
