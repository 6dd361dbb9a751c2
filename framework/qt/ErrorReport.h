#pragma once

#include <QString>
#include <functional>

namespace framework {

// How a run-time error reaches the user. Tests put a recorder in its place.
using ErrorReporter = std::function<void(const QString& message)>;

// A modal message box, shown at once.
void ShowErrorBox(const QString& message);

// A message box shown once the event that failed has been handled, so that no modal loop runs
// in the middle of an event procedure.
void ShowErrorBoxLater(const QString& message);

QString DescribeException(std::exception_ptr error);

} // namespace framework
