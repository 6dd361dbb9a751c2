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

    void List1_Click();
    void List2_Click();
    void List3_Click();
    void List4_Click();
    void List5_Click();
    void List6_Click();
    void List7_Click();

    void List1_GotFocus();
    void List2_GotFocus();
    void List3_GotFocus();
    void List4_GotFocus();
    void List5_GotFocus();
    void List6_GotFocus();
    void List7_GotFocus();

    void List1_LostFocus();
    void List2_LostFocus();
    void List3_LostFocus();
    void List4_LostFocus();
    void List5_LostFocus();
    void List6_LostFocus();
    void List7_LostFocus();

    void List1_Scroll();
    void List2_Scroll();
    void List3_Scroll();
    void List4_Scroll();
    void List5_Scroll();
    void List6_Scroll();
    void List7_Scroll();

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
    template <typename Copy> void WhileListsHidden(const Copy& copy);
    void SetAllVisible(bool visible);
    void ShowAllAfterFailure() noexcept;

    Lists Controls;
};

} // namespace logic
