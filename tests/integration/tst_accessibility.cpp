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
                           << "Твердость по Роквеллу (ГОСТ 9013-59)";
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
    QVERIFY(hsh->tableInterface() != nullptr);
    QCOMPARE(hsh->tableInterface()->rowCount(), 113);
    QCOMPARE(hsh->tableInterface()->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("102"));
    QCOMPARE(hsh->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("-"));
    const QList<QAccessibleInterface*> selected = hsh->tableInterface()->selectedCells();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first()->text(QAccessible::Name), QStringLiteral("87"));

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Window->Window);
    QAccessibleInterface* focused = window->focusChild();
    QVERIFY(focused != nullptr);
    while (focused->role() != QAccessible::List && focused->parent() != nullptr) {
        focused = focused->parent(); // the focused cell's column
    }
    QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("HV"));

    // The header cells are labels, named by their captions, and not focusable.
    QAccessibleInterface* header = QAccessible::queryAccessibleInterface(Window->Window.Label(8));
    QCOMPARE(header->role(), QAccessible::StaticText);
    QCOMPARE(header->text(QAccessible::Name), QStringLiteral("HRC\u044d (ГОСТ 8.064-94)"));
    QVERIFY(!header->state().focusable);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
