#include "form/Form1Description.h"
#include "framework/qt/Program.h"
#include "integration/WindowFixture.h"

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <vector>

using namespace testing;

namespace {

// Independent of the program's own conversion: round each edge of the design to the nearest
// pixel at 15 twips a pixel.
QRect ExpectedPixels(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
}

} // namespace

class WindowTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void windowHasItsCaptionSizeAndIcon();
    void listsStandWhereTheDesignPutsThem_data();
    void listsStandWhereTheDesignPutsThem();
    void headerCellsStandWhereTheDesignPutsThem_data();
    void headerCellsStandWhereTheDesignPutsThem();
    void startsWithFocusInHbAndNothingSelected();
    void tabVisitsTheListsInDesignOrder_data();
    void tabVisitsTheListsInDesignOrder();
    void clickOnAHeaderChangesNothing();
    void resizingMovesNothing();
    void topRowStopsWhereTheListCanScrollNoFurther();
    void failedLoadShowsNoWindowAndEndsWithFailure();
    void closingTheWindowEndsTheProgramWithSuccess();
};

void WindowTest::windowHasItsCaptionSizeAndIcon()
{
    const framework::qt::Form1Window& window = Window->Window;
    QCOMPARE(
        window.windowTitle(),
        QStringLiteral("Сравнительные значения чисел твердости (Дорвис, I версия 25.01.03г.)"));
    QCOMPARE(window.size(), QSize(565, 331));
    QVERIFY(!window.isMaximized() && !window.isMinimized());

    const QIcon icon = window.windowIcon();
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    for (int size : {16, 32}) {
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                                     qRgb(255, 255, 255)};
        int transparent = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = image.pixel(x, y);
                const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
                if (qAlpha(pixel) == 0) {
                    ++transparent;
                    QVERIFY2(corner, qPrintable(QStringLiteral("%1,%2 transparent").arg(x).arg(y)));
                } else {
                    QVERIFY(palette.contains(pixel | 0xff000000));
                }
            }
        }
        QCOMPARE(transparent, 4);
    }
}

void WindowTest::listsStandWhereTheDesignPutsThem_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QRect>("pixels");
    int left = 0;
    for (int list : {1, 2, 3, 4, 5, 7, 6}) { // List7 stands left of List6
        QTest::addRow("List%d", list) << list << ExpectedPixels(left, 990, 1200, 3960);
        left += 1210;
    }
}

void WindowTest::listsStandWhereTheDesignPutsThem()
{
    QFETCH(int, list);
    QFETCH(QRect, pixels);
    QCOMPARE(Window->List(list).geometry(), pixels);
    QCOMPARE(Window->List(list).objectName(), QStringLiteral("List%1").arg(list));
    QVERIFY(Window->List(list).isVisible());
}

void WindowTest::headerCellsStandWhereTheDesignPutsThem_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("0") << 0 << "Твердость по Бринеллю (ГОСТ9012-59)"
                       << ExpectedPixels(0, 0, 1200, 735);
    QTest::newRow("1") << 1 << "Твердость по Виккерсу (ГОСТ2999-75)"
                       << ExpectedPixels(1210, 0, 1200, 735);
    QTest::newRow("2") << 2 << "HB" << ExpectedPixels(0, 730, 1200, 255);
    QTest::newRow("3") << 3 << "HV" << ExpectedPixels(1210, 730, 1200, 255);
    QTest::newRow("4") << 4 << "HRC" << ExpectedPixels(2420, 730, 1200, 255);
    QTest::newRow("5") << 5 << "HRB" << ExpectedPixels(3630, 730, 1200, 255);
    QTest::newRow("6") << 6 << "HRA" << ExpectedPixels(4840, 730, 1200, 255);
    QTest::newRow("7") << 7 << "HSh" << ExpectedPixels(7260, 730, 1200, 255);
    QTest::newRow("8") << 8 << "HRC\u044d (ГОСТ 8.064-94)" << ExpectedPixels(6050, 490, 1200, 495);
    QTest::newRow("9") << 9 << "Твердость по Роквеллу (ГОСТ 9013-59)"
                       << ExpectedPixels(2420, 0, 4830, 485);
    QTest::newRow("10") << 10 << "Твердость по Шору (ГОСТ 23273-78)"
                        << ExpectedPixels(7260, 0, 1200, 735);
}

void WindowTest::headerCellsStandWhereTheDesignPutsThem()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QRect, pixels);
    const QLabel* label = Window->Window.Label(index);
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->geometry(), pixels);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(label->frameShape(), QFrame::Box);
}

void WindowTest::startsWithFocusInHbAndNothingSelected()
{
    QCOMPARE(FocusedList(*Window), 1);
    QCOMPARE(Flags(*Window), QStringLiteral("1000000"));
    QCOMPARE(Misaligned(*Window, -1, 0), QString());
}

void WindowTest::tabVisitsTheListsInDesignOrder_data()
{
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QList<int>>("visited");
    QTest::newRow("Tab") << false << QList<int>{2, 3, 4, 6, 7, 5, 1};
    QTest::newRow("Shift+Tab") << true << QList<int>{5, 7, 6, 4, 3, 2, 1};
}

void WindowTest::tabVisitsTheListsInDesignOrder()
{
    QFETCH(bool, backwards);
    QFETCH(QList<int>, visited);
    for (const int expected : visited) {
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(FocusedList(*Window), expected);
        QCOMPARE(Flags(*Window).count(QLatin1Char('1')), 1);
        QVERIFY(Window->Logic().HasFocus(expected));
    }
    QCOMPARE(Misaligned(*Window, -1, 0), QString()); // tabbing selects nothing
}

void WindowTest::clickOnAHeaderChangesNothing()
{
    for (int index = 0; index <= 10; ++index) {
        QLabel* label = Window->Window.Label(index);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(FocusedList(*Window), 1);
    }
    QCOMPARE(Flags(*Window), QStringLiteral("1000000"));
    QCOMPARE(Misaligned(*Window, -1, 0), QString());
}

void WindowTest::resizingMovesNothing()
{
    const QRect before = Window->List(6).geometry();
    for (const QSize size : {QSize(900, 500), QSize(300, 200)}) {
        Window->Window.resize(size);
        QTest::qWait(20);
        QCOMPARE(Window->List(6).geometry(), before);
    }
    QCOMPARE(Window->Window.Label(9)->geometry(), ExpectedPixels(2420, 0, 4830, 485));
}

void WindowTest::topRowStopsWhereTheListCanScrollNoFurther()
{
    framework::qt::ListBox& list = Window->List(2);
    list.SetTopIndex(112);
    const int lastTop = list.TopIndex();
    QVERIFY2(lastTop > 80 && lastTop < 112, qPrintable(QString::number(lastTop)));
    // The last row is then fully visible at the bottom.
    const QRect last = list.RowRect(112);
    QVERIFY(list.viewport()->rect().contains(last));
    QVERIFY(!list.viewport()->rect().contains(list.RowRect(lastTop - 1)));
}

void WindowTest::failedLoadShowsNoWindowAndEndsWithFailure()
{
    Window.reset();
    // A description that lacks the HRB column makes the load procedure fail at its second loop.
    const form::FormDescription& full = form::Form1Description();
    std::vector<form::ListDescription> lists;
    for (const form::ListDescription& list : full.Lists) {
        if (list.Number != 4) {
            lists.push_back(list);
        }
    }
    form::FormDescription broken = full;
    broken.Lists = lists;

    QStringList reported;
    const int status =
        framework::qt::Run(broken, [&](const QString& message) { reported << message; });
    QCOMPARE(status, 1);
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().contains(QLatin1String("List4")), qPrintable(reported.first()));
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::ranges::none_of(QApplication::topLevelWidgets(),
                                 [](const QWidget* widget) { return widget->isVisible(); }));
}

void WindowTest::closingTheWindowEndsTheProgramWithSuccess()
{
    Window.reset();
    bool shown = false;
    QTimer::singleShot(50, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == QLatin1String("Form1")) {
                shown = true;
                widget->close();
            }
        }
    });
    QStringList reported;
    const int status = framework::qt::Run(form::Form1Description(),
                                          [&](const QString& message) { reported << message; });
    QVERIFY(shown);
    QCOMPARE(status, 0);
    QVERIFY(reported.isEmpty());
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
