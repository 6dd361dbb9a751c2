#include "integration/WindowFixture.h"

#include <QTest>
#include <optional>

using namespace testing;

namespace {

// Columns in window order, by list number.
constexpr int WindowOrder[] = {1, 2, 3, 4, 5, 7, 6};

bool IsValue(const QString& text)
{
    return text != QLatin1String(" -") && text != QLatin1String("-");
}

QStringList RowAcross(const OpenWindow& window, int row)
{
    QStringList cells;
    for (int number : WindowOrder) {
        cells << window.List(number).Text(row);
    }
    return cells;
}

} // namespace

class TableDataTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void rowsReadAcrossAsTheTableSays_data();
    void rowsReadAcrossAsTheTableSays();
    void cellsWhereAddedRowsMeetDesignRows_data();
    void cellsWhereAddedRowsMeetDesignRows();
    void columnCompositionMatchesTheTable_data();
    void columnCompositionMatchesTheTable();
    void valuesNeverIncreaseDownAColumn();
    void scalesShareTheirValueRows();
};

void TableDataTest::rowsReadAcrossAsTheTableSays_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("hardest state") << 0 << QStringList{"-", "1076", "70", "-", "86.5", "70", "102"};
    QTest::newRow("HRB 100") << 52 << QStringList{"240", "246", "22", "100", "-", "24", "-"};
    QTest::newRow("HRB 99") << 54 << QStringList{"234", " -", " -", "99", "-", "-", "-"};
    QTest::newRow("softest state") << 112 << QStringList{"107", " -", "-", "60", "-", "-", "19"};
    QTest::newRow("first HB value") << 24 << QStringList{"444", " -", " -", "-", " -", "-", "64"};
    QTest::newRow("HB only") << 43 << QStringList{"290", " -", " -", "-", "-", "-", "-"};
}

void TableDataTest::rowsReadAcrossAsTheTableSays()
{
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    QCOMPARE(RowAcross(*Window, row), cells);
}

void TableDataTest::cellsWhereAddedRowsMeetDesignRows_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("List4 52") << 4 << 52 << "100";
    QTest::newRow("List4 53") << 4 << 53 << "-";
    QTest::newRow("List4 54") << 4 << 54 << "99";
    QTest::newRow("List4 55") << 4 << 55 << "-";
    QTest::newRow("List4 56, last added") << 4 << 56 << "-";
    QTest::newRow("List4 57, first design row") << 4 << 57 << "98";
    QTest::newRow("List4 58") << 4 << 58 << " -";
    QTest::newRow("List3 54, design no-value") << 3 << 54 << " -";
    QTest::newRow("List3 55") << 3 << 55 << "20";
    QTest::newRow("List3 56, added") << 3 << 56 << "-";
    QTest::newRow("List5 33") << 5 << 33 << "70.5";
    QTest::newRow("List5 34, added") << 5 << 34 << "-";
    QTest::newRow("List7 55") << 7 << 55 << "22";
    QTest::newRow("List7 56, added") << 7 << 56 << "-";
    QTest::newRow("List2 24 keeps its blank") << 2 << 24 << " -";
    QTest::newRow("List7 24 has none") << 7 << 24 << "-";
}

void TableDataTest::cellsWhereAddedRowsMeetDesignRows()
{
    QFETCH(int, list);
    QFETCH(int, row);
    QFETCH(QString, text);
    QCOMPARE(Window->List(list).Text(row), text);
}

void TableDataTest::columnCompositionMatchesTheTable_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("blankDashes");
    QTest::addColumn<int>("dashes");
    QTest::addColumn<QString>("firstValue");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QString>("lastValue");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("HB") << 1 << 89 << 0 << 24 << "444" << 24 << "107" << 112;
    QTest::newRow("HV") << 2 << 39 << 74 << 0 << "1076" << 0 << "236" << 55;
    QTest::newRow("HRC") << 3 << 39 << 17 << 57 << "70" << 0 << "20" << 55;
    QTest::newRow("HRB") << 4 << 32 << 26 << 55 << "100" << 52 << "60" << 112;
    QTest::newRow("HRA") << 5 << 29 << 5 << 79 << "86.5" << 0 << "70.5" << 33;
    QTest::newRow("HRCe") << 7 << 39 << 0 << 74 << "70" << 0 << "22" << 55;
    QTest::newRow("HSh") << 6 << 71 << 0 << 42 << "102" << 0 << "19" << 112;
}

// The three counts add up to the 113 rows of every column.
void TableDataTest::columnCompositionMatchesTheTable()
{
    QFETCH(int, list);
    QFETCH(int, values);
    QFETCH(int, blankDashes);
    QFETCH(int, dashes);
    QFETCH(QString, firstValue);
    QFETCH(int, firstRow);
    QFETCH(QString, lastValue);
    QFETCH(int, lastRow);

    const framework::qt::ListBox& column = Window->List(list);
    int valueCount = 0;
    int blankDashCount = 0;
    int dashCount = 0;
    int first = -1;
    int last = -1;
    for (int row = 0; row < column.RowCount(); ++row) {
        const QString& text = column.Text(row);
        if (text == QLatin1String(" -")) {
            ++blankDashCount;
        } else if (text == QLatin1String("-")) {
            ++dashCount;
        } else {
            ++valueCount;
            first = first < 0 ? row : first;
            last = row;
            QVERIFY2(text.size() <= 4, qPrintable(text));
            bool number = false;
            text.toDouble(&number);
            QVERIFY2(number, qPrintable(text));
        }
    }
    QCOMPARE(valueCount, values);
    QCOMPARE(blankDashCount, blankDashes);
    QCOMPARE(dashCount, dashes);
    QCOMPARE(first, firstRow);
    QCOMPARE(column.Text(first), firstValue);
    QCOMPARE(last, lastRow);
    QCOMPARE(column.Text(last), lastValue);
}

// A shifted or mistyped value shows up as a rise somewhere down its column; only Shore
// hardness, the coarsest scale, repeats a value from one value row to the next.
void TableDataTest::valuesNeverIncreaseDownAColumn()
{
    for (int number = 1; number <= logic::ListCount; ++number) {
        const framework::qt::ListBox& column = Window->List(number);
        std::optional<double> previous;
        for (int row = 0; row < column.RowCount(); ++row) {
            if (!IsValue(column.Text(row))) {
                continue;
            }
            const double value = column.Text(row).toDouble();
            if (previous) {
                QVERIFY2(value <= *previous,
                         qPrintable(QStringLiteral("List%1 row %2 rises").arg(number).arg(row)));
                QVERIFY2(value < *previous || number == 6,
                         qPrintable(QStringLiteral("List%1 row %2 repeats").arg(number).arg(row)));
            }
            previous = value;
        }
    }
}

void TableDataTest::scalesShareTheirValueRows()
{
    const auto valueRows = [this](int list) {
        QList<int> rows;
        for (int row = 0; row < 113; ++row) {
            if (IsValue(Window->List(list).Text(row))) {
                rows << row;
            }
        }
        return rows;
    };
    const QList<int> hv = valueRows(2);
    QCOMPARE(valueRows(3), hv);
    QCOMPARE(valueRows(7), hv);
    QCOMPARE(valueRows(5), hv.first(29));

    for (int row = 0; row < 113; ++row) {
        int valuesInRow = 0;
        for (int list = 1; list <= logic::ListCount; ++list) {
            valuesInRow += IsValue(Window->List(list).Text(row)) ? 1 : 0;
        }
        QVERIFY2(valuesInRow > 0, qPrintable(QStringLiteral("row %1 has no value").arg(row)));
    }
}

QTEST_MAIN(TableDataTest)
#include "tst_table_data.moc"
