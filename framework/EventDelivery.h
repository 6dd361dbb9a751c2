#pragma once

#include "logic/Form1.h"

#include <deque>
#include <exception>
#include <functional>
#include <string>

namespace framework {

// Delivers each list event to its event procedure, the same in every build. No exception may
// cross the toolkit's event dispatch: what escapes a procedure is shown once the event has been
// handled, in one message box at a time, and the program goes on. An error raised while a box is
// open waits for it and is shown after it, in the order the errors came.
class EventDelivery {
public:
    // Asks the toolkit to call ShowPendingErrors once the event being handled is done.
    using PostShowErrors = std::function<void()>;
    // A modal message box; it returns when the user has closed it.
    using ShowErrorBox = std::function<void(const std::string& message)>;

    EventDelivery(logic::Form1& form, PostShowErrors post, ShowErrorBox show)
        : Form(form), Post(std::move(post)), Show(std::move(show))
    {
    }

    void Deliver(int listNumber, logic::ListEvent event);
    void ShowPendingErrors();
    void SetErrorBox(ShowErrorBox show) { Show = std::move(show); }

private:
    logic::Form1& Form;
    PostShowErrors Post;
    ShowErrorBox Show;
    std::deque<std::string> PendingErrors;
    bool ErrorShowing = false;
};

std::string DescribeException(const std::exception_ptr& error);

} // namespace framework
