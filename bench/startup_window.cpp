// The program's own window, started as the program starts it, ending after its first complete
// paint: every list and every header cell painted once. With --caption-points it prints instead
// the point size each header cell ends with, by index, for the floor to paint at.
#include "FirstPaint.h"
#include "form/Form1Description.h"
#include "framework/qt/Form1Window.h"

#include <QLabel>
#include <QSet>
#include <cstdio>
#include <cstring>

namespace {

class PaintWatch final : public QObject {
public:
    explicit PaintWatch(const QList<QWidget*>& widgets) : Waiting(widgets.begin(), widgets.end())
    {
        for (QWidget* widget : widgets) {
            widget->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && Waiting.remove(static_cast<QWidget*>(watched)) &&
            Waiting.isEmpty()) {
            bench::AfterThisPaint("window");
        }
        return false;
    }

private:
    QSet<QWidget*> Waiting;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    framework::qt::Form1Window window(form::Form1Description());
    if (argc > 1 && std::strcmp(argv[1], "--caption-points") == 0) {
        for (int index = 0; index <= 10; ++index) {
            std::printf("%s%g", index > 0 ? " " : "", window.Label(index)->font().pointSizeF());
        }
        std::printf("\n");
        return 0;
    }
    window.Load();
    QList<QWidget*> painted;
    for (int number = 1; number <= logic::ListCount; ++number) {
        painted << window.List(number)->viewport();
    }
    for (int index = 0; index <= 10; ++index) {
        painted << window.Label(index);
    }
    const PaintWatch watch(painted);
    window.show();
    return QApplication::exec();
}
