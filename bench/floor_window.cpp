// The floor to measure start-up against: one plain widget of the window's size that paints the
// same texts at the same places (header captions, the rows visible in each column, their
// frames and scroll bar tracks) with a single QPainter, and nothing else. The table comes from
// the same description and the same load procedure, held in plain vectors.
//
// Each caption is painted at the point size the program's window ends with, which the floor is
// told and does not work out: BENCH_CAPTION_POINTS holds one size per header cell, by index, as
// `bench_startup_window --caption-points` prints them. Without it every caption keeps the
// default font.
#include "FirstPaint.h"
#include "form/Form1Description.h"
#include "logic/Form1.h"

#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int ScrollBarWidth = 16;
constexpr int TextMargin = 3;

int Px(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QRect Pixels(const form::TwipRect& r)
{
    return {Px(r.Left), Px(r.Top), Px(r.Right()) - Px(r.Left), Px(r.Bottom()) - Px(r.Top)};
}

class VectorList final : public logic::ListControl {
public:
    void AddItem(const std::string& text) override { Rows.push_back(text); }
    void AddItem(const std::string& text, int position) override
    {
        Rows.insert(Rows.begin() + position, text);
    }
    int ListIndex() const override { return -1; }
    void SetListIndex(int /*row*/) override {}
    int TopIndex() const override { return 0; }
    void SetTopIndex(int /*row*/) override {}
    void SetVisible(bool /*visible*/) override {}

    std::vector<std::string> Rows;
};

class FloorWindow final : public QWidget {
public:
    FloorWindow()
    {
        const form::FormDescription& description = form::Form1Description();
        logic::Form1::Lists controls{};
        for (const form::ListDescription& list : description.Lists) {
            for (std::string_view row : list.Rows) {
                Lists[list.Number - 1].AddItem(std::string(row));
            }
        }
        for (int i = 0; i < logic::ListCount; ++i) {
            controls[i] = &Lists[i];
        }
        logic::Form1 form(controls);
        form.Form_Load();
        resize(Px(description.Window.ClientWidth), Px(description.Window.ClientHeight));
        setWindowTitle(
            QString::fromUtf8(description.Window.Caption.data(),
                              static_cast<qsizetype>(description.Window.Caption.size())));
        CaptionFonts = GivenCaptionFonts(font(), description.Labels.size());
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        const form::FormDescription& description = form::Form1Description();
        const QFontMetrics metrics = painter.fontMetrics();
        for (const form::LabelDescription& label : description.Labels) {
            const QRect cell = Pixels(label.Bounds);
            painter.setFont(CaptionFonts[static_cast<size_t>(label.Index)]);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.drawText(cell.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextWordWrap,
                             QString::fromUtf8(label.Caption.data(),
                                               static_cast<qsizetype>(label.Caption.size())));
        }
        painter.setFont(font());
        const int rowHeight = metrics.height();
        for (const form::ListDescription& list : description.Lists) {
            const QRect box = Pixels(list.Bounds);
            painter.fillRect(box.adjusted(1, 1, -1, -1), palette().base());
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.fillRect(QRect(box.right() - ScrollBarWidth, box.top() + 1, ScrollBarWidth,
                                   box.height() - 2),
                             palette().button());
            const std::vector<std::string>& rows = Lists[list.Number - 1].Rows;
            int y = box.top() + 1;
            for (size_t row = 0; row < rows.size() && y < box.bottom(); ++row, y += rowHeight) {
                painter.drawText(QRect(box.left() + 1 + TextMargin, y,
                                       box.width() - ScrollBarWidth - 2 * TextMargin, rowHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 QString::fromStdString(rows[row]));
            }
        }
        bench::AfterThisPaint("floor");
    }

private:
    static std::vector<QFont> GivenCaptionFonts(const QFont& font, size_t count)
    {
        std::vector<QFont> fonts(count, font);
        const char* given = std::getenv("BENCH_CAPTION_POINTS");
        std::istringstream points(given != nullptr ? given : "");
        double size = 0;
        for (QFont& caption : fonts) {
            if (!(points >> size)) {
                break;
            }
            caption.setPointSizeF(size);
        }
        return fonts;
    }

    VectorList Lists[logic::ListCount];
    std::vector<QFont> CaptionFonts;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
