#include "EventDelivery.h"

namespace framework {

// A message box opened inside the procedure would run a modal loop in the middle of it.
void EventDelivery::Deliver(int listNumber, logic::ListEvent event)
{
    try {
        (Form.*logic::Form1::ProcedureFor(listNumber, event))();
    } catch (...) {
        PendingErrors.push_back(DescribeException(std::current_exception()));
        Post();
    }
}

void EventDelivery::ShowPendingErrors()
{
    if (ErrorShowing) {
        return; // the box already open shows the rest when it closes
    }
    ErrorShowing = true;
    while (!PendingErrors.empty()) {
        const std::string error = PendingErrors.front();
        PendingErrors.pop_front();
        Show(error);
    }
    ErrorShowing = false;
}

std::string DescribeException(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return "Unknown error";
    }
}

} // namespace framework
