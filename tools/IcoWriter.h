#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <array>

namespace tools {

// The sixteen colours of the standard palette, in their usual order.
extern const std::array<QRgb, 16> StandardPalette;

// An .ico file with one 4-bit image and 1-bit mask per input. Every opaque pixel must be one of
// the standard colours; fully transparent pixels go to the mask. Throws std::invalid_argument
// otherwise.
QByteArray WriteIco(const QList<QImage>& images);

} // namespace tools
