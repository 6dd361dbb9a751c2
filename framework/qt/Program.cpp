#include "Program.h"

#include "Form1Window.h"
#include "framework/EventDelivery.h"

#include <QApplication>
#include <QMessageBox>

namespace framework::qt {

void ShowErrorBox(const QString& message)
{
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), message);
}

int Run(const form::FormDescription& description, const ErrorReporter& reportLoadFailure)
{
    Form1Window window(description);
    try {
        window.Load();
    } catch (...) {
        reportLoadFailure(QString::fromStdString(DescribeException(std::current_exception())));
        return 1;
    }
    window.show();
    return QApplication::exec();
}

} // namespace framework::qt
