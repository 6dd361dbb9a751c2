#include "support/RecordingList.h"

#include <QTest>

using namespace testing;
using Kind = Operation::Kind;

class FormLoadTest : public QObject {
    Q_OBJECT

private slots:
    void completesTheFourShortColumnsInOrder();
    void leavesEveryFlagFalseAndTheCounterAt58();
    void stopsAtAFailedAddItemKeepingWhatWasAdded();
};

void FormLoadTest::completesTheFourShortColumnsInOrder()
{
    FakeForm fake;
    fake.Form->Form_Load();

    std::vector<Operation> expected;
    for (int i = 0; i < 57; ++i) {
        expected.push_back({3, Kind::Append, i, "-"});
    }
    for (int position = 0; position <= 56; ++position) {
        const char* text = position == 52 ? "100" : position == 54 ? "99" : "-";
        expected.push_back({4, Kind::Insert, position, text});
    }
    for (int i = 0; i < 79; ++i) {
        expected.push_back({5, Kind::Append, i, "-"});
    }
    for (int i = 0; i < 57; ++i) {
        expected.push_back({7, Kind::Append, i, "-"});
    }
    CompareOperations(fake.Log.Operations, expected);

    // The inserts land one after another in front of whatever the list held.
    QCOMPARE(fake.List(4).Rows.at(52), std::string("100"));
    QCOMPARE(fake.List(4).Rows.at(53), std::string("-"));
    QCOMPARE(fake.List(4).Rows.at(54), std::string("99"));
    QCOMPARE(fake.List(4).Rows.size(), size_t{57});
}

void FormLoadTest::leavesEveryFlagFalseAndTheCounterAt58()
{
    FakeForm fake;
    for (int number = 1; number <= logic::ListCount; ++number) {
        fake.SetFlag(number, true);
    }
    fake.Form->Form_Load();
    for (int number = 1; number <= logic::ListCount; ++number) {
        QVERIFY2(!fake.Form->HasFocus(number), qPrintable(QStringLiteral("List%1").arg(number)));
    }
    QCOMPARE(fake.Form->FillIndex, std::int16_t{58});
    for (int number : {1, 2, 6}) {
        QVERIFY(fake.List(number).Rows.empty());
    }
}

void FormLoadTest::stopsAtAFailedAddItemKeepingWhatWasAdded()
{
    FakeForm fake;
    fake.SetFlag(2, true);
    fake.Log.ShouldFail = [](const Operation& operation) {
        return operation.List == 4 && operation.Value == 10;
    };
    QVERIFY_THROWS_EXCEPTION(logic::RunTimeError, fake.Form->Form_Load());

    QCOMPARE(fake.List(3).Rows.size(), size_t{57});
    QCOMPARE(fake.List(4).Rows.size(), size_t{10});
    QVERIFY(fake.List(5).Rows.empty());
    QVERIFY(fake.List(7).Rows.empty());
    QCOMPARE(fake.Form->FillIndex, std::int16_t{10});
    QVERIFY2(fake.Form->List2HasFocus, "the last step, which clears the flags, must not run");
}

QTEST_APPLESS_MAIN(FormLoadTest)
#include "tst_form_load.moc"
