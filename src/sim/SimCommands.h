#pragma once
// The simulated instrument's command table: command code and access letter ("A1,R") to the
// builder of the reply's data. The reply body is the same code and letter, a comma and that data.
// Write commands join the instrument as further rows of this table.
#include <string>

#include "sim/SimState.h"

namespace tz {

struct SimReply {
    std::string data;     // the reply body after "XX,L,"
    bool silent = false;  // the instrument sends nothing

    // The status character NAK: the instrument does not accept the command.
    static SimReply Refused();
};

// Builds the reply to one command from the state (and, for writes, updates the state).
using SimHandler = SimReply (*)(SimState& state, const std::string& payload);

struct SimCommand {
    const char* key;  // code and access letter, "A1,R"
    SimHandler handler;
};

// The handler of a command, or nullptr for a command the instrument does not know.
SimHandler FindSimCommand(const std::string& key);

// Every key of the table, in table order.
std::vector<std::string> SimCommandKeys();

}  // namespace tz
