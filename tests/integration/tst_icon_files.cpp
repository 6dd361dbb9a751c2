#include "IcoWriter.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

// The icon files made at build time for desktops and for Windows, read back and compared with
// the pixel art they come from.
class IconFilesTest : public QObject {
    Q_OBJECT

private slots:
    void desktopIconsAreTheArtScaledWithoutSmoothing_data();
    void desktopIconsAreTheArtScaledWithoutSmoothing();
    void windowsIconHoldsBothImagesIn16ColoursWithAMask();
    void icoWriterRejectsColoursOutsideThePalette();
};

namespace {

QImage Art(int size)
{
    return QImage(QStringLiteral(ICON_SOURCE_DIR "/form1-%1.xpm").arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

template <typename Number> Number Read(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<Number>(bytes.constData() + at);
}

} // namespace

void IconFilesTest::desktopIconsAreTheArtScaledWithoutSmoothing_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QTest::addRow("%d", size) << size;
    }
}

void IconFilesTest::desktopIconsAreTheArtScaledWithoutSmoothing()
{
    QFETCH(int, size);
    const QImage png = QImage(QStringLiteral(ICON_BUILD_DIR "/%1x%1/" APP_ID ".png").arg(size))
                           .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), QSize(size, size));
    const QImage art = Art(size == 16 ? 16 : 32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb expected = art.pixel(x * art.width() / size, y * art.height() / size);
            QCOMPARE(png.pixel(x, y), expected);
        }
    }
}

void IconFilesTest::windowsIconHoldsBothImagesIn16ColoursWithAMask()
{
    QFile file(QStringLiteral(ICO_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    QCOMPARE(Read<quint16>(ico, 2), quint16{1});
    QCOMPARE(Read<quint16>(ico, 4), quint16{2});
    for (int entry = 0; entry < 2; ++entry) {
        const int size = entry == 0 ? 32 : 16;
        const qsizetype header = 6 + 16 * entry;
        QCOMPARE(quint8(ico[header]), quint8(size));
        QCOMPARE(quint8(ico[header + 2]), quint8(16));
        QCOMPARE(Read<quint16>(ico, header + 6), quint16{4});
        const quint32 offset = Read<quint32>(ico, header + 12);
        QCOMPARE(Read<quint32>(ico, offset + 8), quint32(size * 2));
        QCOMPARE(Read<quint16>(ico, offset + 14), quint16{4});

        // Decode by hand: palette, 4-bit colours bottom-up, then the 1-bit mask.
        const QImage art = Art(size);
        const qsizetype palette = offset + 40;
        const qsizetype colours = palette + 16 * 4;
        const int colourRow = ((4 * size + 31) / 32) * 4;
        const qsizetype mask = colours + colourRow * size;
        const int maskRow = ((size + 31) / 32) * 4;
        int masked = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int row = size - 1 - y;
                const quint8 packed = quint8(ico[colours + row * colourRow + x / 2]);
                const int index = x % 2 == 0 ? packed >> 4 : packed & 0x0f;
                const bool transparent =
                    (quint8(ico[mask + row * maskRow + x / 8]) & (0x80 >> (x % 8))) != 0;
                const QRgb expected = art.pixel(x, y);
                QCOMPARE(transparent, qAlpha(expected) == 0);
                masked += transparent ? 1 : 0;
                if (!transparent) {
                    const qsizetype entryAt = palette + index * 4;
                    QCOMPARE(qRgb(quint8(ico[entryAt + 2]), quint8(ico[entryAt + 1]),
                                  quint8(ico[entryAt])),
                             expected | 0xff000000);
                }
            }
        }
        QCOMPARE(masked, 4);
    }
}

void IconFilesTest::icoWriterRejectsColoursOutsideThePalette()
{
    QImage odd(16, 16, QImage::Format_ARGB32);
    odd.fill(qRgb(192, 192, 192));
    odd.setPixel(3, 5, qRgb(200, 10, 10));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tools::WriteIco({odd}));
    odd.setPixel(3, 5, qRgb(255, 0, 0));
    QVERIFY(!tools::WriteIco({odd}).isEmpty());
}

QTEST_APPLESS_MAIN(IconFilesTest)
#include "tst_icon_files.moc"
