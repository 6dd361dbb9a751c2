#include "CaptionFit.h"

#include "framework/CaptionFit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <algorithm>
#include <vector>

namespace framework::qt {
namespace {

constexpr int TallestLayout = 1 << 16;

QRect TextArea(const QLabel& label)
{
    const int margin = label.margin();
    return label.contentsRect().adjusted(margin, margin, -margin, -margin);
}

// The test that decides, with the font at that size: the caption wrapped as the label wraps it.
// A font whose one line is already taller than the cell fits no text, and needs no layout.
bool FitsAt(const QLabel& label, const QFont& font)
{
    const QRect area = TextArea(label);
    if (QFontMetricsF(font).height() > area.height()) {
        return false;
    }
    const QRect needed =
        QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), TallestLayout),
                                        Qt::AlignHCenter | Qt::TextWordWrap, label.text());
    return needed.width() <= area.width() && needed.height() <= area.height();
}

// The caption's words as the label's own font measures them, letter by letter. Text scales
// nearly in proportion to the font's size in whole pixels, which is what a size in points is
// loaded at, so this tells about where the caption fits without loading another font. Letters
// are measured once for all captions, and without shaping, which an estimate does not need.
class MeasuredCaption {
public:
    using LetterWidths = QHash<QChar, qreal>;

    MeasuredCaption(const QString& text, const QFontMetricsF& metrics, LetterWidths& known)
        : LineHeight(metrics.height())
    {
        const auto width = [&](QChar letter) {
            auto found = known.constFind(letter);
            if (found == known.constEnd()) {
                found = known.insert(letter, metrics.horizontalAdvance(letter));
            }
            return *found;
        };
        SpaceWidth = width(u' ');
        for (const QStringView word : QStringView(text).tokenize(u' ', Qt::SkipEmptyParts)) {
            qreal wordWidth = 0;
            for (const QChar letter : word) {
                wordWidth += width(letter);
            }
            WordWidths.push_back(wordWidth);
        }
    }

    // Greedy word wrap, as the label wraps, with every width scaled.
    bool FitsScaled(qreal scale, const QSizeF& area) const
    {
        int lines = 0;
        qreal lineWidth = 0;
        for (const qreal word : WordWidths) {
            const qreal width = word * scale;
            if (width > area.width()) {
                return false;
            }
            if (lines > 0 && lineWidth + SpaceWidth * scale + width <= area.width()) {
                lineWidth += SpaceWidth * scale + width;
            } else {
                ++lines;
                lineWidth = width;
            }
        }
        return lines * LineHeight * scale <= area.height();
    }

private:
    std::vector<qreal> WordWidths;
    qreal SpaceWidth = 0;
    qreal LineHeight = 0;
};

// The first step the estimate lets the caption fit at, the size then scaled as the font
// database loads it, in whole pixels.
int EstimatedStep(const QLabel& label, const MeasuredCaption& caption, const CaptionSizes& sizes)
{
    const qreal pixelsPerPoint = label.logicalDpiY() / PointsPerInch;
    const auto pixels = [pixelsPerPoint](qreal size) {
        return std::max(1, qRound(size * pixelsPerPoint));
    };
    const QSizeF area = TextArea(label).size();
    return sizes.FittingStep([&](double size) {
        return caption.FitsScaled(qreal(pixels(size)) / pixels(sizes.Size(0)), area);
    });
}

} // namespace

void FitCaptions(const std::vector<QLabel*>& labels)
{
    // The captions share the window's font; letters are measured at it once for them all.
    MeasuredCaption::LetterWidths letterWidths;
    for (QLabel* label : labels) {
        if (label == nullptr || label->font().pointSizeF() <= 0) { // sized in pixels: no steps
            continue;
        }
        const CaptionSizes sizes(label->font().pointSizeF(), QtCaptionStepPoints,
                                 SmallestCaptionPoints);
        const MeasuredCaption caption(label->text(), QFontMetricsF(label->font()), letterWidths);
        QFont font = label->font();
        const int k = sizes.FittingStep(
            [&](double size) {
                font.setPointSizeF(size);
                return FitsAt(*label, font);
            },
            EstimatedStep(*label, caption, sizes));
        if (k > 0) {
            font.setPointSizeF(sizes.Size(k));
            label->setFont(font);
        }
    }
}

} // namespace framework::qt
