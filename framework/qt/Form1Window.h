#pragma once

#include "ErrorReport.h"
#include "ListBox.h"
#include "form/FormDescription.h"
#include "logic/Form1.h"

#include <QWidget>
#include <array>
#include <vector>

class QLabel;

namespace framework {

// The one window, built from its description, with every list event delivered to the event
// procedure of the same name.
class Form1Window final : public QWidget {
public:
    explicit Form1Window(const form::FormDescription& description, QWidget* parent = nullptr);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Runs the load procedure; a failure propagates so that no half-filled table is shown.
    void Load();

    logic::Form1& Logic() { return Form; }
    // By the number in the list's name; nullptr for a list the description lacks.
    ListBox* List(int number) const;
    QLabel* Label(int index) const;

    void SetErrorReporter(ErrorReporter reporter) { ReportError = std::move(reporter); }

    // Sees every event on its way to its procedure, with how deeply it is nested in others
    // (1 for an event from the user). For tests and diagnostics.
    struct Delivery {
        int List = 0;
        ListBox::Event Event = ListBox::Event::Click;
        int Depth = 0;
    };
    using DeliveryObserver = std::function<void(const Delivery&)>;
    void SetDeliveryObserver(DeliveryObserver observer) { ObserveDelivery = std::move(observer); }

private:
    static std::array<ListBox*, logic::ListCount>
    CreateLists(const form::FormDescription& description, QWidget* parent);
    static logic::Form1::Lists AsControls(const std::array<ListBox*, logic::ListCount>& lists);
    void CreateLabels();
    void NameListsAfterTheirHeaders();
    void ChainTabOrder();
    void Deliver(int listNumber, ListBox::Event event);

    const form::FormDescription& Description;
    std::array<ListBox*, logic::ListCount> ListsByNumber{};
    std::vector<QLabel*> LabelsByIndex;
    logic::Form1 Form;
    ErrorReporter ReportError = ShowErrorBoxLater;
    DeliveryObserver ObserveDelivery;
    int DeliveryDepth = 0;
};

} // namespace framework
