// Build-time tool: turns the window's pixel-art icon into the files a desktop needs.
//   icon_export png SOURCE.xpm SIZE OUTPUT.png   - scaled by whole pixels, never smoothed
//   icon_export ico LARGE.xpm SMALL.xpm OUTPUT.ico - 16-colour images with a transparency mask
#include "IcoWriter.h"

#include <QFile>
#include <QImage>
#include <cstdio>

namespace {

int Fail(const char* message, const char* detail)
{
    std::fprintf(stderr, "icon_export: %s %s\n", message, detail);
    return 1;
}

QImage Load(const char* path)
{
    QImage image(QString::fromLocal8Bit(path));
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 5 && QByteArrayView(argv[1]) == "png") {
        const QImage source = Load(argv[2]);
        const int size = std::atoi(argv[3]);
        if (source.isNull() || size <= 0) {
            return Fail("cannot read", argv[2]);
        }
        const QImage scaled =
            source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return scaled.save(QString::fromLocal8Bit(argv[4]), "PNG") ? 0
                                                                   : Fail("cannot write", argv[4]);
    }
    if (argc == 5 && QByteArrayView(argv[1]) == "ico") {
        const QImage large = Load(argv[2]);
        const QImage small = Load(argv[3]);
        if (large.isNull() || small.isNull()) {
            return Fail("cannot read", large.isNull() ? argv[2] : argv[3]);
        }
        QByteArray ico;
        try {
            ico = tools::WriteIco({large, small});
        } catch (const std::exception& error) {
            return Fail("cannot encode:", error.what());
        }
        QFile file(QString::fromLocal8Bit(argv[4]));
        if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
            return Fail("cannot write", argv[4]);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: icon_export png SOURCE SIZE OUTPUT | ico LARGE SMALL OUTPUT\n");
    return 2;
}
