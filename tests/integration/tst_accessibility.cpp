#include "integration/WindowFixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QTest>
#include <optional>

using namespace testing;

// What a screen reader learns about the table, asked in-process through QAccessible.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Window.emplace(); }
    void cleanup() { Window.reset(); }

    void columnsAreNamedAfterTheirScales_data();
    void columnsAreNamedAfterTheirScales();
    void rowsSelectionAndFocusCanBeRead();
    void columnGainingTheFocusReportsItsSelectedRow();

private:
    std::optional<OpenWindow> Window;
};

void AccessibilityTest::columnsAreNamedAfterTheirScales_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("List1") << 1 << "HB"
                           << "Твердость по Бринеллю (ГОСТ9012-59)";
    QTest::newRow("List2") << 2 << "HV"
                           << "Твердость по Виккерсу (ГОСТ2999-75)";
    QTest::newRow("List3") << 3 << "HRC"
                           << "Твердость по Роквеллу (ГОСТ 9013-59)";
    QTest::newRow("List4") << 4 << "HRB"
                           << "Твердость по Роквеллу (ГОСТ 9013-59)";
    QTest::newRow("List5") << 5 << "HRA"
                           << "Твердость по Роквеллу (ГОСТ 9013-59)";
    QTest::newRow("List7") << 7 << "HRC\u044d"
                           << "Твердость по Роквеллу (ГОСТ 9013-59). HRC\u044d (ГОСТ 8.064-94)";
    QTest::newRow("List6") << 6 << "HSh"
                           << "Твердость по Шору (ГОСТ 23273-78)";
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
    QList<int> selected;
    for (int row = 0; row < hsh->childCount(); ++row) {
        if (hsh->child(row)->state().selected) {
            selected << row;
        }
    }
    QCOMPARE(selected, QList<int>{8});
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

namespace {

struct FocusReport {
    QObject* Object;
    int Child;
};
QList<FocusReport> FocusReports;

} // namespace

// Tab into a column: after the column's own focus event, its selected row is reported focused,
// so that a screen reader speaks the value and not only the column.
void AccessibilityTest::columnGainingTheFocusReportsItsSelectedRow()
{
    ClickRow(Window->List(1), 9);
    FocusReports.clear();
    framework::ListBox::SetAccessibilityReporter([](QAccessibleEvent* event) {
        if (event->type() == QAccessible::Focus) {
            FocusReports.append({event->object(), event->child()});
        }
    });
    QTest::keyClick(&Window->List(1), Qt::Key_Tab);
    QCOMPARE(FocusedList(*Window), 2);
    QVERIFY(FocusReports.isEmpty()); // not before the column's own announcement
    QTRY_COMPARE(FocusReports.size(), 1);
    QCOMPARE(FocusReports.first().Object, &Window->List(2));
    QCOMPARE(FocusReports.first().Child, 9);
    QCOMPARE(QAccessible::queryAccessibleInterface(&Window->List(2))
                 ->child(FocusReports.first().Child)
                 ->text(QAccessible::Name),
             QStringLiteral("715"));
    framework::ListBox::SetAccessibilityReporter(nullptr);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
