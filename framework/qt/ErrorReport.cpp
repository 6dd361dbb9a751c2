#include "ErrorReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <exception>

namespace framework {

void ShowErrorBox(const QString& message)
{
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), message);
}

void ShowErrorBoxLater(const QString& message)
{
    QMetaObject::invokeMethod(
        qApp, [message] { ShowErrorBox(message); }, Qt::QueuedConnection);
}

QString DescribeException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception& exception) {
        return QString::fromStdString(exception.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace framework
