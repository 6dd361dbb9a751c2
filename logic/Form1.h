#pragma once

#include "ListControl.h"

#include <array>
#include <cstdint>

namespace logic {

inline constexpr int ListCount = 7;

// The four events a list raises.
enum class ListEvent { Click, GotFocus, LostFocus, Scroll };

// The event procedures of the one window and the state they share. The lists are reached only
// through ListControl, so the same procedures drive real widgets and test doubles.
class Form1 {
public:
    // Lists in name order: element 0 is List1.
    using Lists = std::array<ListControl*, ListCount>;

    explicit Form1(const Lists& lists) : Controls(lists) {}

    void Form_Load();

    void List1_Click() { CopySelectionFrom(1); }
    void List2_Click() { CopySelectionFrom(2); }
    void List3_Click() { CopySelectionFrom(3); }
    void List4_Click() { CopySelectionFrom(4); }
    void List5_Click() { CopySelectionFrom(5); }
    void List6_Click() { CopySelectionFrom(6); }
    void List7_Click() { CopySelectionFrom(7); }

    void List1_GotFocus() { List1HasFocus = true; }
    void List2_GotFocus() { List2HasFocus = true; }
    void List3_GotFocus() { List3HasFocus = true; }
    void List4_GotFocus() { List4HasFocus = true; }
    void List5_GotFocus() { List5HasFocus = true; }
    void List6_GotFocus() { List6HasFocus = true; }
    void List7_GotFocus() { List7HasFocus = true; }

    void List1_LostFocus() { List1HasFocus = false; }
    void List2_LostFocus() { List2HasFocus = false; }
    void List3_LostFocus() { List3HasFocus = false; }
    void List4_LostFocus() { List4HasFocus = false; }
    void List5_LostFocus() { List5HasFocus = false; }
    void List6_LostFocus() { List6HasFocus = false; }
    void List7_LostFocus() { List7HasFocus = false; }

    // HB follows a scroll only while it holds the focus; every other column takes the lead as
    // soon as it is scrolled, focused or not, and counts as focused from then on.
    void List1_Scroll();
    void List2_Scroll() { TakeScrollLead(2); }
    void List3_Scroll() { TakeScrollLead(3); }
    void List4_Scroll() { TakeScrollLead(4); }
    void List5_Scroll() { TakeScrollLead(5); }
    void List6_Scroll() { TakeScrollLead(6); }
    void List7_Scroll() { TakeScrollLead(7); }

    // The procedures bound to one list's events, so that a binding can deliver each event to
    // its named procedure without a switch of its own.
    struct ListProcedures {
        void (Form1::*Click)();
        void (Form1::*GotFocus)();
        void (Form1::*LostFocus)();
        void (Form1::*Scroll)();
    };
    static const ListProcedures& ProceduresOf(int listNumber);
    using Procedure = void (Form1::*)();
    static Procedure ProcedureFor(int listNumber, ListEvent event);

    bool HasFocus(int listNumber) const;

    bool List1HasFocus = false;
    bool List2HasFocus = false;
    bool List3HasFocus = false;
    bool List4HasFocus = false;
    bool List5HasFocus = false;
    bool List6HasFocus = false;
    bool List7HasFocus = false;

    std::int16_t FillIndex = 0;

private:
    ListControl& List(int listNumber) const;
    bool& FocusFlag(int listNumber);

    void NextFillIndex();
    void CopySelectionFrom(int clicked);
    void CopyTopRowFrom(int scrolled);
    void TakeScrollLead(int scrolled);
    template <typename Copy> void WhileListsHidden(const Copy& copy);
    void SetAllVisible(bool visible);
    void ShowAllAfterFailure() noexcept;

    Lists Controls;
};

} // namespace logic
