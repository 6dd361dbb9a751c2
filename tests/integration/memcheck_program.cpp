// The program's start-up and shutdown for valgrind's memcheck: everything main does, with the
// window closed by a timer once it is up, so that the program ends the way a user ends it.
#include "form/Form1Description.h"
#include "framework/qt/Program.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    QTimer::singleShot(200, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            widget->close();
        }
    });
    return framework::qt::Run(form::Form1Description(), [](const QString& message) {
        std::fprintf(stderr, "load failed: %s\n", qPrintable(message));
    });
}
