#pragma once
// The simulated instrument's command table: command code and access letter ("A1,R") to the
// builder of the reply's data. The reply body is the same code and letter, a comma and that data.
// Reads, settings writes, maintenance actions and dumps are rows of the one table.
#include <span>
#include <string>
#include <vector>

#include "sim/SimState.h"

namespace tz {

// Builds the data of block `index` (1 to blocks - 1) of a multi-block reply.
using SimBlockBuilder = std::string (*)(const SimState& state, int index);

struct SimReply {
    std::string data;     // the reply body after "XX,L,"
    bool silent = false;  // the instrument sends nothing
    bool raw = false;     // data is sent as the bytes it holds, without a frame (binary dump)
    // A multi-block reply: data is block 0; each further block follows the host's
    // acknowledgement, built by nextBlock. Every block but the last ends with ETB.
    int blocks = 1;
    SimBlockBuilder nextBlock = nullptr;

    // The status character NAK: the instrument does not accept the command.
    static SimReply Refused();
    // The status character ACK: the instrument accepted the command.
    static SimReply Ack();
    // The status character SUB: the action is still running.
    static SimReply NotYet();
};

// Builds the reply to one command from the state (and, for writes, updates the state).
using SimHandler = SimReply (*)(SimState& state, const std::string& payload);

struct SimCommand {
    const char* key;  // code and access letter, "A1,R"
    SimHandler handler;
};

// The parts of the table, one per file: settings writes, maintenance and calibration actions,
// memory dumps.
std::span<const SimCommand> SimWriteCommands();
std::span<const SimCommand> SimMaintenanceCommands();
std::span<const SimCommand> SimDumpCommands();

// The handler of a command, or nullptr for a command the instrument does not know.
SimHandler FindSimCommand(const std::string& key);

// Every key of the table, in table order.
std::vector<std::string> SimCommandKeys();

}  // namespace tz
