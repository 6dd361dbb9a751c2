#include "Program.h"
#include "form/Form1Description.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("hardness-table"));
    QApplication::setApplicationVersion(QStringLiteral(HARDNESS_TABLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(HARDNESS_TABLE_APP_ID));
    return framework::qt::Run(form::Form1Description(), framework::qt::ShowErrorBox);
}
