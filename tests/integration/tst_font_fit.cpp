#include "integration/WindowFixture.h"

#include <QLabel>
#include <QTest>

using namespace testing;

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setFont(Original); }

    void everyCaptionAndValueFits_data();
    void everyCaptionAndValueFits();
    void smallDefaultFontIsKept();

private:
    // The desktop's font for the window about to open.
    static QFont SetDesktopFont(qreal points)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(points);
        QApplication::setFont(font);
        return font;
    }

    const QFont Original = QApplication::font();
};

void FontFitTest::everyCaptionAndValueFits_data()
{
    QTest::addColumn<qreal>("points");
    for (qreal points : {8.0, 9.0, 10.0, 11.0, 12.0}) {
        QTest::addRow("%g pt", points) << points;
    }
}

// Checked against what the widgets themselves will draw with: their own font, their own
// content area, and the texts they actually hold.
void FontFitTest::everyCaptionAndValueFits()
{
    QFETCH(qreal, points);
    const QFont font = SetDesktopFont(points);
    const OpenWindow window;
    for (int index = 0; index <= 10; ++index) {
        const QLabel* label = window.Window.Label(index);
        // A pixel clear of the border all round.
        const QRect area = label->contentsRect().adjusted(1, 1, -1, -1);
        const QRect needed =
            QFontMetrics(label->font())
                .boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, label->text());
        QVERIFY2(area.contains(needed), qPrintable(QStringLiteral("Label1(%1) needs %2x%3 in %4x%5")
                                                       .arg(index)
                                                       .arg(needed.width())
                                                       .arg(needed.height())
                                                       .arg(area.width())
                                                       .arg(area.height())));
    }
    for (int number = 1; number <= logic::ListCount; ++number) {
        const framework::qt::ListBox& list = window.List(number);
        QCOMPARE(list.font(), font); // the values keep the desktop's font
        int widest = 0;
        for (int row = 0; row < list.RowCount(); ++row) {
            widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.Text(row)));
        }
        const int room = list.viewport()->width() - 6; // the row's text margins
        QVERIFY2(
            widest <= room,
            qPrintable(QStringLiteral("List%1 needs %2 of %3").arg(number).arg(widest).arg(room)));
    }
}

void FontFitTest::smallDefaultFontIsKept()
{
    SetDesktopFont(6.0);
    const OpenWindow window;
    QCOMPARE(window.Window.font().pointSizeF(), 6.0);
    QCOMPARE(window.List(3).font().pointSizeF(), 6.0);
    QCOMPARE(window.Window.Label(0)->font().pointSizeF(), 6.0);
}

QTEST_MAIN(FontFitTest)
#include "tst_font_fit.moc"
