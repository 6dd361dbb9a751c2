#include "integration/WindowFixture.h"

#include <QLabel>
#include <QTest>

using namespace testing;

// Run with QT_SCALE_FACTOR=2: the same layout at twice the pixels.
class HighDpiTest : public FreshWindowTest {
    Q_OBJECT

private slots:
    void windowDoublesItsPixels();
    void captionsStillFit();
    void iconIsDoubledNotSmoothed();
};

void HighDpiTest::windowDoublesItsPixels()
{
    QCOMPARE(Window->Window.devicePixelRatio(), 2.0);
    const QImage picture = Window->Window.grab().toImage();
    QCOMPARE(picture.size(), QSize(1130, 662));
    QCOMPARE(Window->List(6).geometry(), QRect(484, 66, 80, 264)); // logical, as at 96 DPI
}

void HighDpiTest::captionsStillFit()
{
    for (int index = 0; index <= 10; ++index) {
        const QLabel* label = Window->Window.Label(index);
        const QRect needed = label->fontMetrics().boundingRect(
            label->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, label->text());
        QVERIFY2(label->contentsRect().contains(needed), qPrintable(label->text()));
    }
}

void HighDpiTest::iconIsDoubledNotSmoothed()
{
    const QIcon icon = Window->Window.windowIcon();
    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                                 qRgb(255, 255, 255)};
    for (int logical : {16, 32}) {
        const QImage image = icon.pixmap(QSize(logical, logical), 2.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(logical * 2, logical * 2));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QVERIFY2(qAlpha(pixel) == 0 || (qAlpha(pixel) == 255 && palette.contains(pixel)),
                         qPrintable(QStringLiteral("%1 px icon, pixel %2,%3 is blended")
                                        .arg(logical)
                                        .arg(x)
                                        .arg(y)));
            }
        }
    }
}

QTEST_MAIN(HighDpiTest)
#include "tst_high_dpi.moc"
