#include "Program.h"

#include "Form1Window.h"

#include <QApplication>

namespace framework {

int Run(const form::FormDescription& description, const ErrorReporter& reportLoadFailure)
{
    Form1Window window(description);
    try {
        window.Load();
    } catch (...) {
        reportLoadFailure(DescribeException(std::current_exception()));
        return 1;
    }
    window.show();
    return QApplication::exec();
}

} // namespace framework
