#include "IcoWriter.h"

#include <QtEndian>
#include <stdexcept>
#include <string>

namespace tools {

const std::array<QRgb, 16> StandardPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

namespace {

void Put16(QByteArray& out, quint16 value)
{
    const quint16 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void Put32(QByteArray& out, quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

int RowBytes(int bitsPerPixel, int width)
{
    return ((bitsPerPixel * width + 31) / 32) * 4;
}

quint8 PaletteIndex(QRgb pixel, int x, int y)
{
    for (size_t index = 0; index < StandardPalette.size(); ++index) {
        if ((StandardPalette[index] & 0xffffff) == (pixel & 0xffffff)) {
            return static_cast<quint8>(index);
        }
    }
    throw std::invalid_argument("pixel " + std::to_string(x) + "," + std::to_string(y) +
                                " is not a standard colour");
}

// BITMAPINFOHEADER, palette, colour bits and mask, rows bottom-up as the format wants them.
QByteArray Bitmap(const QImage& image)
{
    const int width = image.width();
    const int height = image.height();
    QByteArray out;
    Put32(out, 40);
    Put32(out, static_cast<quint32>(width));
    Put32(out, static_cast<quint32>(height * 2)); // colour bits and mask together
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0); // uncompressed
    Put32(out, static_cast<quint32>((RowBytes(4, width) + RowBytes(1, width)) * height));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const QRgb colour : StandardPalette) {
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        out.append('\0');
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(RowBytes(4, width), '\0');
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const quint8 index = qAlpha(pixel) == 0 ? 0 : PaletteIndex(pixel, x, y);
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(RowBytes(1, width), '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    return out;
}

} // namespace

QByteArray WriteIco(const QList<QImage>& images)
{
    QList<QByteArray> bitmaps;
    for (const QImage& image : images) {
        if (image.width() > 256 || image.height() > 256 || image.isNull()) {
            throw std::invalid_argument("an icon image is empty or larger than 256 pixels");
        }
        bitmaps << Bitmap(image.convertToFormat(QImage::Format_ARGB32));
    }
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, static_cast<quint16>(images.size()));
    // The images follow the 6-byte header and one 16-byte directory entry an image.
    quint32 offset = 6 + (16 * static_cast<quint32>(images.size()));
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(images[i].width() % 256));
        out.append(static_cast<char>(images[i].height() % 256));
        out.append(static_cast<char>(16)); // colours
        out.append('\0');
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<quint32>(bitmaps[i].size()));
        Put32(out, offset);
        offset += static_cast<quint32>(bitmaps[i].size());
    }
    for (const QByteArray& bitmap : bitmaps) {
        out.append(bitmap);
    }
    return out;
}

} // namespace tools
