#include "integration/WindowFixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/qtestaccessible.h>
#include <optional>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace testing;

// What a screen reader learns about the table, asked in-process through QAccessible, and what
// the window tells it, recorded as Qt's own tests record it.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void columnsAreNamedAfterTheirScales_data();
    void columnsAreNamedAfterTheirScales();
    void rowsSelectionAndFocusCanBeRead();
    void columnGainingTheFocusReportsItsSelectedRow();
    void onlyTheFocusedColumnReportsFocus_data();
    void onlyTheFocusedColumnReportsFocus();

private:
    std::optional<OpenWindow> Window;
};

namespace {

// What a list told a screen reader: focus, selection and so on, of the list itself (row -1) or
// of one of its rows.
struct Report {
    QObject* List = nullptr;
    QAccessible::Event Type = QAccessible::Focus;
    int Row = -1;
    bool operator==(const Report&) const = default;
};

QList<Report> TakeListReports()
{
    QList<Report> reports;
    for (const QAccessibleEvent* event : QTestAccessibility::events()) {
        if (dynamic_cast<framework::qt::ListBox*>(event->object()) != nullptr) {
            reports.append({event->object(), event->type(), event->child()});
        }
    }
    qDeleteAll(QTestAccessibility::events());
    QTestAccessibility::clearEvents();
    return reports;
}

// The rows of a list whose accessible state passes the check, such as being focused.
QList<int> RowsInState(framework::qt::ListBox& list, bool (*inState)(QAccessible::State state))
{
    QAccessibleInterface* column = QAccessible::queryAccessibleInterface(&list);
    QList<int> rows;
    for (int row = 0; row < column->childCount(); ++row) {
        if (inState(column->child(row)->state())) {
            rows << row;
        }
    }
    return rows;
}

} // namespace

// Without a screen reader Qt's views report nothing; the platform's accessibility is switched on
// as a screen reader would, and its reports go to the recorder.
void AccessibilityTest::initTestCase()
{
    QTestAccessibility::initialize();
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (platform == nullptr) {
        QSKIP("this platform has no accessibility");
    }
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void AccessibilityTest::init()
{
    Window.emplace();
    QCoreApplication::processEvents(); // the report that follows the first list's focus
    TakeListReports();
}

void AccessibilityTest::cleanup()
{
    Window.reset();
    TakeListReports();
}

void AccessibilityTest::columnsAreNamedAfterTheirScales_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    const QString rockwell = QStringLiteral("Твердость по Роквеллу (ГОСТ 9013-59)");
    QTest::newRow("List1") << 1 << "HB" << QStringLiteral("Твердость по Бринеллю (ГОСТ9012-59)");
    QTest::newRow("List2") << 2 << "HV" << QStringLiteral("Твердость по Виккерсу (ГОСТ2999-75)");
    QTest::newRow("List3") << 3 << "HRC" << rockwell;
    QTest::newRow("List4") << 4 << "HRB" << rockwell;
    QTest::newRow("List5") << 5 << "HRA" << rockwell;
    QTest::newRow("List7") << 7 << "HRC\u044d (ГОСТ 8.064-94)" << rockwell;
    QTest::newRow("List6") << 6 << "HSh" << QStringLiteral("Твердость по Шору (ГОСТ 23273-78)");
}

void AccessibilityTest::columnsAreNamedAfterTheirScales()
{
    QFETCH(int, list);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QAccessibleInterface* column = QAccessible::queryAccessibleInterface(&Window->List(list));
    QVERIFY(column != nullptr);
    QCOMPARE(column->role(), QAccessible::List);
    QCOMPARE(column->text(QAccessible::Name), name);
    QCOMPARE(column->text(QAccessible::Description), description);
    QVERIFY(column->state().focusable);
}

void AccessibilityTest::rowsSelectionAndFocusCanBeRead()
{
    ClickRow(Window->List(2), 8);
    QCOMPARE(Misaligned(*Window, 8, 0), QString());

    QAccessibleInterface* hsh = QAccessible::queryAccessibleInterface(&Window->List(6));
    QCOMPARE(hsh->childCount(), 113);
    QCOMPARE(hsh->child(0)->role(), QAccessible::ListItem);
    QCOMPARE(hsh->child(0)->text(QAccessible::Name), QStringLiteral("102"));
    QCOMPARE(hsh->child(1)->text(QAccessible::Name), QStringLiteral("-"));
    QCOMPARE(hsh->indexOfChild(hsh->child(40)), 40);
    QCOMPARE(hsh->child(40)->parent(), hsh);
    QCOMPARE(
        RowsInState(Window->List(6), [](QAccessible::State state) { return bool(state.selected); }),
        QList<int>{8});
    QCOMPARE(hsh->child(8)->text(QAccessible::Name), QStringLiteral("87"));
    QVERIFY(!hsh->child(8)->state().offscreen);
    QVERIFY(hsh->child(100)->state().invisible);
    const QRect row = hsh->child(8)->rect();
    QCOMPARE(hsh->childAt(row.center().x(), row.center().y()), hsh->child(8));

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Window->Window);
    QAccessibleInterface* focusedRow = window->focusChild(); // down to the focused row
    QVERIFY(focusedRow != nullptr);
    QCOMPARE(focusedRow->text(QAccessible::Name), QStringLiteral("739")); // HV row 8
    QVERIFY(focusedRow->state().focused && focusedRow->state().selected);
    QCOMPARE(focusedRow->parent()->text(QAccessible::Name), QStringLiteral("HV"));

    // The header cells are labels, named by their captions, and not focusable.
    QAccessibleInterface* header = QAccessible::queryAccessibleInterface(Window->Window.Label(8));
    QCOMPARE(header->role(), QAccessible::StaticText);
    QCOMPARE(header->text(QAccessible::Name), QStringLiteral("HRC\u044d (ГОСТ 8.064-94)"));
    QVERIFY(!header->state().focusable);
}

// Tab into a column: after the column's own focus event, its selected row is reported focused,
// so that a screen reader speaks the value and not only the column.
void AccessibilityTest::columnGainingTheFocusReportsItsSelectedRow()
{
    ClickRow(Window->List(1), 9);
    TakeListReports();
    QTest::keyClick(&Window->List(1), Qt::Key_Tab);
    QCOMPARE(FocusedList(*Window), 2);
    const Report column{&Window->List(2), QAccessible::Focus, -1};
    QCOMPARE(TakeListReports(), QList<Report>{column});
    QCoreApplication::processEvents();
    const Report value{&Window->List(2), QAccessible::Focus, 9};
    QCOMPARE(TakeListReports(), QList<Report>{value});
    QCOMPARE(
        QAccessible::queryAccessibleInterface(&Window->List(2))->child(9)->text(QAccessible::Name),
        QStringLiteral("715"));
}

// The other columns follow a move silently: a screen reader speaks the value of the column the
// user is in, of no other, and is not kept busy with the others' selection.
void AccessibilityTest::onlyTheFocusedColumnReportsFocus_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("rowsReportedFocused");
    QTest::newRow("key in a column entered by Tab") << "key" << 2 << 6 << QList<int>{6};
    QTest::newRow("click in another column") << "click" << 3 << 8 << QList<int>{8};
    QTest::newRow("wheel over another column") << "wheel" << 2 << 5 << QList<int>{};
}

void AccessibilityTest::onlyTheFocusedColumnReportsFocus()
{
    QFETCH(QString, input);
    QFETCH(int, focused);
    QFETCH(int, selected);
    QFETCH(QList<int>, rowsReportedFocused);
    ClickRow(Window->List(1), 5);
    QTest::keyClick(&Window->List(1), Qt::Key_Tab);
    QCoreApplication::processEvents();
    TakeListReports();

    if (input == QLatin1String("key")) {
        QTest::keyClick(&Window->List(2), Qt::Key_Down);
    } else if (input == QLatin1String("click")) {
        ClickRow(Window->List(3), 8);
    } else {
        TurnWheel(Window->List(4), -2);
    }
    QCoreApplication::processEvents();

    QCOMPARE(FocusedList(*Window), focused);
    QCOMPARE(Window->List(1).ListIndex(), selected);
    QCOMPARE(Misaligned(*Window, selected, Window->List(focused).TopIndex()), QString());
    QList<int> rowsReported;
    for (const Report& report : TakeListReports()) {
        QCOMPARE(report.List, &Window->List(focused));
        if (report.Type == QAccessible::Focus && report.Row >= 0) {
            rowsReported << report.Row;
        }
    }
    QCOMPARE(rowsReported, rowsReportedFocused);
    for (int number = 1; number <= logic::ListCount; ++number) {
        QCOMPARE(RowsInState(Window->List(number),
                             [](QAccessible::State state) { return bool(state.focused); }),
                 number == focused ? QList<int>{selected} : QList<int>{});
    }
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
