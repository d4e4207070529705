#pragma once
// Message boxes for the command line: each is printed as one line "title: text" and answered
// with the first button (Ok or Yes), so a script never waits for a person.
#include <ostream>

#include "platform/IDialogs.h"

namespace tz {

class StreamDialogs : public IDialogs {
public:
    explicit StreamDialogs(std::ostream& out) : out_(out) {}
    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;

private:
    std::ostream& out_;
};

}  // namespace tz
