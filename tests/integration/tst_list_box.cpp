#include "framework/qt/ListBox.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <memory>

using framework::ListBox;
using Event = ListBox::Event;

namespace {

QString Name(Event event)
{
    switch (event) {
    case Event::Click:
        return QStringLiteral("Click");
    case Event::GotFocus:
        return QStringLiteral("GotFocus");
    case Event::LostFocus:
        return QStringLiteral("LostFocus");
    case Event::Scroll:
        return QStringLiteral("Scroll");
    }
    return {};
}

} // namespace

// The events one list reports, on its own, for each kind of input: the contract the window
// logic is written against.
class ListBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { Window.reset(); }

    void userInputRaisesItsEvents_data();
    void userInputRaisesItsEvents();
    void codeWritesRaiseOnlyAChangedSelection();
    void clickRaisedInsideTheWriteSeesTheNewRow();

private:
    void Press(int row) const;

    std::unique_ptr<QWidget> Window;
    ListBox* List = nullptr;
    ListBox* Other = nullptr;
    QStringList Events;
};

void ListBoxTest::init()
{
    Window = std::make_unique<QWidget>();
    Window->resize(200, 200);
    Other = new ListBox(QStringLiteral("Other"), Window.get());
    Other->setGeometry(0, 0, 80, 150);
    List = new ListBox(QStringLiteral("List"), Window.get());
    List->setGeometry(100, 0, 80, 150);
    for (int row = 0; row < 100; ++row) {
        List->AddItem(std::to_string(500 - row * 3));
        Other->AddItem("-");
    }
    List->AddItem(" -", 10);
    Other->setFocus();
    Window->show();
    QVERIFY(QTest::qWaitForWindowActive(Window.get()));
    Events.clear();
    List->SetEventHandler([this](Event event) { Events << Name(event); });
}

void ListBoxTest::Press(int row) const
{
    const QRect rect = List->RowRect(row);
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, rect.center());
}

void ListBoxTest::userInputRaisesItsEvents_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("selected");
    QTest::newRow("click a row of an unfocused list")
        << "click 3" << QStringList{"GotFocus", "Click"} << 3;
    QTest::newRow("click the selected row again")
        << "click 3;click 3" << QStringList{"GotFocus", "Click", "Click"} << 3;
    QTest::newRow("tab in selects nothing") << "tab" << QStringList{"GotFocus"} << -1;
    QTest::newRow("down from a selected row")
        << "click 3;down" << QStringList{"GotFocus", "Click", "Click"} << 4;
    QTest::newRow("end scrolls, then clicks once")
        << "click 3;end" << QStringList{"GotFocus", "Click", "Scroll", "Click"} << 100;
    QTest::newRow("home at the top is no change")
        << "click 0;home" << QStringList{"GotFocus", "Click"} << 0;
    QTest::newRow("typed value, one click per move")
        << "click 0;type 488" << QStringList{"GotFocus", "Click", "Click", "Click"} << 4;
    QTest::newRow("wheel scrolls only") << "wheel" << QStringList{"Scroll"} << -1;
    QTest::newRow("scroll bar arrow keeps the focus away")
        << "arrow" << QStringList{"Scroll"} << -1;
    QTest::newRow("focus leaves") << "click 2;leave"
                                  << QStringList{"GotFocus", "Click", "LostFocus"} << 2;
}

void ListBoxTest::userInputRaisesItsEvents()
{
    QFETCH(QString, input);
    QFETCH(QStringList, events);
    QFETCH(int, selected);
    for (const QString& step : input.split(QLatin1Char(';'))) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("click")) {
            Press(words[1].toInt());
        } else if (words[0] == QLatin1String("tab")) {
            QTest::keyClick(Other, Qt::Key_Tab);
        } else if (words[0] == QLatin1String("down")) {
            QTest::keyClick(List, Qt::Key_Down);
        } else if (words[0] == QLatin1String("end")) {
            QTest::keyClick(List, Qt::Key_End);
        } else if (words[0] == QLatin1String("home")) {
            QTest::keyClick(List, Qt::Key_Home);
        } else if (words[0] == QLatin1String("type")) {
            QTest::keyClicks(List, words[1]);
        } else if (words[0] == QLatin1String("wheel")) {
            const QPoint inside = List->viewport()->rect().center();
            QWheelEvent wheel(inside, List->viewport()->mapToGlobal(inside), {}, {0, -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(List->viewport(), &wheel);
        } else if (words[0] == QLatin1String("arrow")) {
            QScrollBar* bar = List->verticalScrollBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
        } else if (words[0] == QLatin1String("leave")) {
            Other->setFocus();
        }
    }
    QCOMPARE(Events, events);
    QCOMPARE(List->ListIndex(), selected);
    if (events.contains(QLatin1String("Scroll"))) {
        QVERIFY(List->TopIndex() > 0);
    }
}

void ListBoxTest::codeWritesRaiseOnlyAChangedSelection()
{
    List->SetListIndex(7);
    QCOMPARE(Events, QStringList{"Click"});
    List->SetListIndex(7);
    QCOMPARE(Events, QStringList{"Click"});
    List->SetTopIndex(40); // scrolls, silently
    QCOMPARE(List->TopIndex(), 40);
    List->SetListIndex(90); // scrolls to the row, silently
    List->SetListIndex(-1);
    QCOMPARE(Events, (QStringList{"Click", "Click", "Click"}));
    QCOMPARE(List->ListIndex(), -1);
    List->AddItem("1");
    QCOMPARE(List->RowCount(), 102);
    QCOMPARE(Events.size(), 3);
    QCOMPARE(QApplication::focusWidget(), Other);
}

void ListBoxTest::clickRaisedInsideTheWriteSeesTheNewRow()
{
    int seen = -2;
    List->SetEventHandler([&](Event event) {
        if (event == Event::Click) {
            seen = List->ListIndex();
        }
    });
    List->SetListIndex(12);
    QCOMPARE(seen, 12);
}

QTEST_MAIN(ListBoxTest)
#include "tst_list_box.moc"
