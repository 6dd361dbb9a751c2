#pragma once

#include <stdexcept>
#include <string>

namespace logic {

// A failed control operation. It ends the event procedure at the failing step and travels to
// whoever raised the event.
class RunTimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The operations the window logic needs from a list column. Every operation either succeeds or
// throws RunTimeError; none fails silently.
class ListControl {
public:
    virtual ~ListControl() = default;

    virtual void AddItem(const std::string& text) = 0;
    virtual void AddItem(const std::string& text, int position) = 0;

    // The selected row, -1 for none. Writing a different value raises the list's click event
    // inside the write.
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int row) = 0;

    // The first visible row.
    virtual int TopIndex() const = 0;
    virtual void SetTopIndex(int row) = 0;

    virtual void SetVisible(bool visible) = 0;

protected:
    ListControl() = default;
    ListControl(const ListControl&) = default;
    ListControl& operator=(const ListControl&) = default;
};

} // namespace logic
