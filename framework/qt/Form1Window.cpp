#include "Form1Window.h"

#include "CaptionFit.h"
#include "Geometry.h"
#include "form/Headers.h"
#include "framework/CaptionFit.h"

#include <QIcon>
#include <QLabel>
#include <algorithm>

namespace framework::qt {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The art is drawn pixel by pixel: on a screen scaled 2x it must be doubled, not smoothed.
QIcon PixelArtIcon(const form::IconDescription& description)
{
    QIcon icon;
    for (const char* const* xpm : {description.Small, description.Large}) {
        const QPixmap art(xpm);
        icon.addPixmap(art);
        icon.addPixmap(art.scaled(art.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    return icon;
}

} // namespace

Form1Window::Form1Window(const form::FormDescription& description, QWidget* parent)
    : QWidget(parent), Description(description), ListsByNumber(CreateLists(description, this)),
      Form(AsControls(ListsByNumber)),
      Events(
          Form,
          [this] {
              QMetaObject::invokeMethod(
                  this, [this] { Events.ShowPendingErrors(); }, Qt::QueuedConnection);
          },
          [](const std::string& message) { ShowErrorBox(QString::fromStdString(message)); })
{
    setObjectName(ToQString(description.Window.Name));
    setWindowTitle(ToQString(description.Window.Caption));
    setWindowIcon(PixelArtIcon(description.Icon));
    resize(form::TwipsToPixels(description.Window.ClientWidth),
           form::TwipsToPixels(description.Window.ClientHeight));

    CreateLabels();
    NameListsAfterTheirHeaders();
    ChainTabOrder();
    FitCaptions(LabelsByIndex);

    for (int number = 1; number <= logic::ListCount; ++number) {
        if (ListBox* list = List(number)) {
            list->SetEventHandler([this, number](ListBox::Event event) { Deliver(number, event); });
        }
    }
}

// The lists outlive this object's own members: QWidget deletes its children last, and a focused
// list reports losing the focus as it goes. Nothing may reach the procedures by then.
Form1Window::~Form1Window()
{
    for (ListBox* list : ListsByNumber) {
        if (list != nullptr) {
            list->SetEventHandler({});
        }
    }
}

std::array<ListBox*, logic::ListCount>
Form1Window::CreateLists(const form::FormDescription& description, QWidget* parent)
{
    std::array<ListBox*, logic::ListCount> lists{};
    for (const form::ListDescription& entry : description.Lists) {
        auto* list = new ListBox(ToQString(entry.Name), parent);
        list->setGeometry(LogicalPixels(entry.Bounds));
        list->AddItems(entry.Rows);
        lists.at(entry.Number - 1) = list;
    }
    return lists;
}

logic::Form1::Lists Form1Window::AsControls(const std::array<ListBox*, logic::ListCount>& lists)
{
    logic::Form1::Lists controls{};
    std::ranges::copy(lists, controls.begin());
    return controls;
}

void Form1Window::CreateLabels()
{
    for (const form::LabelDescription& entry : Description.Labels) {
        auto* label = new QLabel(ToQString(entry.Caption), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(entry.Index));
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setMargin(CaptionClearance);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setGeometry(LogicalPixels(entry.Bounds));
        if (static_cast<size_t>(entry.Index) >= LabelsByIndex.size()) {
            LabelsByIndex.resize(static_cast<size_t>(entry.Index) + 1, nullptr);
        }
        LabelsByIndex[static_cast<size_t>(entry.Index)] = label;
    }
}

// A screen reader names each column as a sighted user reads it, by the caption of the scale
// cell above it (the HRCэ cell with its own standard), and describes it by the test method
// above that; the header cells themselves stay plain labels.
void Form1Window::NameListsAfterTheirHeaders()
{
    for (const form::ListDescription& list : Description.Lists) {
        const form::ListHeaders headers = form::HeadersOf(Description, list);
        ListBox* box = List(list.Number);
        if (headers.Scale != nullptr) {
            box->setAccessibleName(ToQString(headers.Scale->Caption));
        }
        if (headers.Method != nullptr) {
            box->setAccessibleDescription(ToQString(headers.Method->Caption));
        }
    }
}

// The focus follows the design's tab positions, not the screen order; the first list in that
// order takes the focus when the window first becomes active.
void Form1Window::ChainTabOrder()
{
    QWidget* previous = nullptr;
    for (const form::ListDescription* entry : form::ListsInTabOrder(Description)) {
        QWidget* list = List(entry->Number);
        if (previous != nullptr) {
            setTabOrder(previous, list);
        } else {
            list->setFocus();
        }
        previous = list;
    }
}

void Form1Window::Load()
{
    Form.Form_Load();
}

ListBox* Form1Window::List(int number) const
{
    if (number < 1 || number > logic::ListCount) {
        return nullptr;
    }
    return ListsByNumber.at(static_cast<size_t>(number - 1));
}

QLabel* Form1Window::Label(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= LabelsByIndex.size()) {
        return nullptr;
    }
    return LabelsByIndex[static_cast<size_t>(index)];
}

} // namespace framework::qt
