#include "CaptionFit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <algorithm>
#include <vector>

namespace framework {
namespace {

constexpr qreal SmallestPointSize = 5.0;
constexpr qreal PointSizeStep = 0.5;
constexpr qreal PointsPerInch = 72.0;
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

// The sizes a caption may take: step k is `own - k * PointSizeStep`, down to `Last`.
struct Steps {
    qreal Own = 0;
    int Last = 0;

    explicit Steps(qreal own) : Own(own)
    {
        while (Size(Last + 1) >= SmallestPointSize) {
            ++Last;
        }
    }
    qreal Size(int k) const { return Own - (k * PointSizeStep); }
};

// The first step the estimate lets the caption fit at, the size then scaled as the font
// database loads it, in whole pixels.
int EstimatedStep(const QLabel& label, const MeasuredCaption& caption, const Steps& steps)
{
    const qreal pixelsPerPoint = label.logicalDpiY() / PointsPerInch;
    const auto pixels = [pixelsPerPoint](qreal size) {
        return std::max(1, qRound(size * pixelsPerPoint));
    };
    const QSizeF area = TextArea(label).size();
    int k = 0;
    while (k < steps.Last &&
           !caption.FitsScaled(qreal(pixels(steps.Size(k))) / pixels(steps.Own), area)) {
        ++k;
    }
    return k;
}

// From an estimate that may be off by a step or more either way, to the first step that fits:
// one that fits where the one above it does not, or the last step.
int ConfirmedStep(const QLabel& label, const Steps& steps, int k)
{
    QFont font = label.font();
    const auto fits = [&](int step) {
        font.setPointSizeF(steps.Size(step));
        return FitsAt(label, font);
    };
    if (fits(k)) {
        while (k > 0 && fits(k - 1)) {
            --k;
        }
        return k;
    }
    while (k < steps.Last) {
        ++k;
        if (fits(k)) {
            break;
        }
    }
    return k;
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
        const Steps steps(label->font().pointSizeF());
        const MeasuredCaption caption(label->text(), QFontMetricsF(label->font()), letterWidths);
        const int k = ConfirmedStep(*label, steps, EstimatedStep(*label, caption, steps));
        if (k > 0) {
            QFont font = label->font();
            font.setPointSizeF(steps.Size(k));
            label->setFont(font);
        }
    }
}

} // namespace framework
