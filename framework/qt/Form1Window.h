#pragma once

#include "ListBox.h"
#include "Program.h"
#include "form/FormDescription.h"
#include "framework/EventDelivery.h"
#include "logic/Form1.h"

#include <QWidget>
#include <array>
#include <vector>

class QLabel;

namespace framework::qt {

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

    void SetErrorReporter(const ErrorReporter& report)
    {
        Events.SetErrorBox(
            [report](const std::string& message) { report(QString::fromStdString(message)); });
    }
    // An event to its procedure, as each list's handler hands it on.
    void Deliver(int listNumber, ListBox::Event event) { Events.Deliver(listNumber, event); }

private:
    static std::array<ListBox*, logic::ListCount>
    CreateLists(const form::FormDescription& description, QWidget* parent);
    static logic::Form1::Lists AsControls(const std::array<ListBox*, logic::ListCount>& lists);
    void CreateLabels();
    void NameListsAfterTheirHeaders();
    void ChainTabOrder();

    const form::FormDescription& Description;
    std::array<ListBox*, logic::ListCount> ListsByNumber{};
    std::vector<QLabel*> LabelsByIndex;
    logic::Form1 Form;
    EventDelivery Events;
};

} // namespace framework::qt
