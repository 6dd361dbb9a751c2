#include "Form1.h"

#include <array>
#include <limits>
#include <string>

namespace logic {
namespace {

const std::string NoValue = "-";

constexpr int HrbRowOf100 = 52;
constexpr int HrbRowOf99 = 54;

const std::array<bool Form1::*, ListCount> FocusFlags = {
    &Form1::List1HasFocus, &Form1::List2HasFocus, &Form1::List3HasFocus, &Form1::List4HasFocus,
    &Form1::List5HasFocus, &Form1::List6HasFocus, &Form1::List7HasFocus,
};

const std::array<Form1::ListProcedures, ListCount> Procedures = {{
    {&Form1::List1_Click, &Form1::List1_GotFocus, &Form1::List1_LostFocus, &Form1::List1_Scroll},
    {&Form1::List2_Click, &Form1::List2_GotFocus, &Form1::List2_LostFocus, &Form1::List2_Scroll},
    {&Form1::List3_Click, &Form1::List3_GotFocus, &Form1::List3_LostFocus, &Form1::List3_Scroll},
    {&Form1::List4_Click, &Form1::List4_GotFocus, &Form1::List4_LostFocus, &Form1::List4_Scroll},
    {&Form1::List5_Click, &Form1::List5_GotFocus, &Form1::List5_LostFocus, &Form1::List5_Scroll},
    {&Form1::List6_Click, &Form1::List6_GotFocus, &Form1::List6_LostFocus, &Form1::List6_Scroll},
    {&Form1::List7_Click, &Form1::List7_GotFocus, &Form1::List7_LostFocus, &Form1::List7_Scroll},
}};

void CheckListNumber(int listNumber)
{
    if (listNumber < 1 || listNumber > ListCount) {
        throw RunTimeError("No list number " + std::to_string(listNumber));
    }
}

} // namespace

const Form1::ListProcedures& Form1::ProceduresOf(int listNumber)
{
    CheckListNumber(listNumber);
    return Procedures.at(static_cast<size_t>(listNumber - 1));
}

Form1::Procedure Form1::ProcedureFor(int listNumber, ListEvent event)
{
    const ListProcedures& procedures = ProceduresOf(listNumber);
    switch (event) {
    case ListEvent::Click:
        return procedures.Click;
    case ListEvent::GotFocus:
        return procedures.GotFocus;
    case ListEvent::LostFocus:
        return procedures.LostFocus;
    case ListEvent::Scroll:
        return procedures.Scroll;
    }
    throw RunTimeError("No such event");
}

bool Form1::HasFocus(int listNumber) const
{
    CheckListNumber(listNumber);
    return this->*FocusFlags.at(static_cast<size_t>(listNumber - 1));
}

bool& Form1::FocusFlag(int listNumber)
{
    CheckListNumber(listNumber);
    return this->*FocusFlags.at(static_cast<size_t>(listNumber - 1));
}

ListControl& Form1::List(int listNumber) const
{
    CheckListNumber(listNumber);
    ListControl* list = Controls.at(static_cast<size_t>(listNumber - 1));
    if (list == nullptr) {
        throw RunTimeError("List" + std::to_string(listNumber) + " does not exist");
    }
    return *list;
}

// --- Start-up -----------------------------------------------------------------------------

void Form1::NextFillIndex()
{
    if (FillIndex == std::numeric_limits<std::int16_t>::max()) {
        throw RunTimeError("Overflow");
    }
    FillIndex = static_cast<std::int16_t>(FillIndex + 1);
}

void Form1::Form_Load()
{
    for (FillIndex = 1; FillIndex <= 57; NextFillIndex()) {
        List(3).AddItem(NoValue);
    }
    // The HRB column has no values for the hardest states but two: rows inserted in front of
    // the design-time rows, one after the other.
    for (FillIndex = 0; FillIndex <= 56; NextFillIndex()) {
        if (FillIndex == HrbRowOf100) {
            List(4).AddItem(std::to_string(100), FillIndex);
        } else if (FillIndex == HrbRowOf99) {
            List(4).AddItem(std::to_string(99), FillIndex);
        } else {
            List(4).AddItem(NoValue, FillIndex);
        }
    }
    for (FillIndex = 1; FillIndex <= 79; NextFillIndex()) {
        List(5).AddItem(NoValue);
    }
    for (FillIndex = 1; FillIndex <= 57; NextFillIndex()) {
        List(7).AddItem(NoValue);
    }
    for (int number = 1; number <= ListCount; ++number) {
        FocusFlag(number) = false;
    }
}

// --- Synchronisation ----------------------------------------------------------------------

void Form1::SetAllVisible(bool visible)
{
    for (int number = 1; number <= ListCount; ++number) {
        List(number).SetVisible(visible);
    }
}

// A failed step must not leave blank columns behind: show every list that can still be shown.
void Form1::ShowAllAfterFailure() noexcept
{
    for (int number = 1; number <= ListCount; ++number) {
        try {
            List(number).SetVisible(true);
        } catch (...) { // NOLINT(bugprone-empty-catch): the first failure is the one reported
        }
    }
}

// Hiding the columns while they are rewritten lets the user see only the finished alignment.
template <typename Copy> void Form1::WhileListsHidden(const Copy& copy)
{
    try {
        SetAllVisible(false);
        copy();
    } catch (...) {
        ShowAllAfterFailure();
        throw;
    }
    SetAllVisible(true);
}

// Values are read from the source before every write: a nested procedure raised by a write may
// have moved the source in between.
void Form1::CopySelectionFrom(int clicked)
{
    if (!FocusFlag(clicked)) {
        return;
    }
    WhileListsHidden([this, clicked] {
        for (int target = 1; target <= ListCount; ++target) {
            if (target == clicked) {
                continue;
            }
            List(target).SetListIndex(List(clicked).ListIndex());
            List(target).SetTopIndex(List(clicked).TopIndex());
        }
    });
}

void Form1::CopyTopRowFrom(int scrolled)
{
    WhileListsHidden([this, scrolled] {
        for (int target = 1; target <= ListCount; ++target) {
            if (target == scrolled) {
                continue;
            }
            List(target).SetTopIndex(List(scrolled).TopIndex());
        }
    });
}

// --- Event procedures ---------------------------------------------------------------------

void Form1::TakeScrollLead(int scrolled)
{
    FocusFlag(scrolled) = true;
    CopyTopRowFrom(scrolled);
}

void Form1::List1_Scroll()
{
    if (List1HasFocus) {
        CopyTopRowFrom(1);
    }
}

} // namespace logic
