#include "framework/qt/ListBox.h"
#include "integration/WindowFixture.h"

#include <QClipboard>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <memory>

using framework::qt::ListBox;
using Event = ListBox::Event;

namespace {

QString Name(Event event)
{
    static const char* const names[] = {"Click", "GotFocus", "LostFocus", "Scroll"};
    return QLatin1String(names[static_cast<int>(event)]);
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
    void ctrlCCopiesTheSelectedValue();
    void rowsAreReadableInAnyPalette_data();
    void rowsAreReadableInAnyPalette();

private:
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
    const QMap<QString, Qt::Key> keys{
        {"down", Qt::Key_Down}, {"end", Qt::Key_End}, {"home", Qt::Key_Home}};
    for (const QString& step : input.split(QLatin1Char(';'))) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("click")) {
            testing::ClickRow(*List, words[1].toInt());
        } else if (words[0] == QLatin1String("tab")) {
            QTest::keyClick(Other, Qt::Key_Tab);
        } else if (keys.contains(words[0])) {
            QTest::keyClick(List, keys[words[0]]);
        } else if (words[0] == QLatin1String("type")) {
            QTest::keyClicks(List, words[1]);
        } else if (words[0] == QLatin1String("wheel")) {
            testing::TurnWheel(*List, -1);
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

void ListBoxTest::ctrlCCopiesTheSelectedValue()
{
    QApplication::clipboard()->clear();
    testing::ClickRow(*List, 4);
    QTest::keyClick(List, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("488"));
    QCOMPARE(List->ListIndex(), 4); // copying moves nothing
}

void ListBoxTest::rowsAreReadableInAnyPalette_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("style's own") << QApplication::style()->standardPalette();
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x40, 0x80, 0xd0));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    QTest::newRow("dark") << dark;
}

// Each row's background is the palette's, and its text stands out from it: the brightest text
// pixel and the background differ clearly.
void ListBoxTest::rowsAreReadableInAnyPalette()
{
    QFETCH(QPalette, palette);
    List->setPalette(palette);
    List->SetListIndex(2);
    const QImage image = List->viewport()->grab().toImage();
    for (const int row : {1, 2}) {
        const QRect rect = List->RowRect(row);
        const bool selected = row == List->ListIndex();
        const QColor background = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        QCOMPARE(image.pixelColor(rect.right() - 2, rect.center().y()), background);
        int contrast = 0;
        for (int x = rect.left(); x < rect.left() + rect.width() / 2; ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const QColor pixel = image.pixelColor(x, y);
                const int towardText = 255 - std::abs(pixel.lightness() - text.lightness());
                contrast = std::max(
                    contrast,
                    towardText > 200 ? std::abs(pixel.lightness() - background.lightness()) : 0);
            }
        }
        QVERIFY2(contrast > 100,
                 qPrintable(QStringLiteral("row %1: contrast %2").arg(row).arg(contrast)));
    }
}

QTEST_MAIN(ListBoxTest)
#include "tst_list_box.moc"
