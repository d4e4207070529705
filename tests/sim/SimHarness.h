#pragma once
// Drives the simulated instrument directly, frame by frame, and collects what it sends back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link/Frame.h"
#include "sim/SimCommands.h"
#include "sim/SimInstrument.h"

namespace tz::test {

class SimHarness : public ::testing::Test {
protected:
    // Hands bytes to the instrument and returns everything it sent back, pieces joined.
    std::string Feed(const std::string& bytes) {
        std::string out;
        sim.OnBytesFromHost(bytes, [&](const std::string& b, int) { out += b; });
        return out;
    }
    // The reply to one command.
    std::string Reply(const std::string& body) { return Feed(BuildFrame(body, EOT)); }
    // The host's acknowledgement of a block, as the link sends it.
    std::string Ack(const std::string& echo) { return Feed(BuildFrame(std::string(1, ACK) + echo, ETB)); }

    // The replies to every read of a setting or value: a picture of everything the instrument
    // holds that the program can read (dumps and the factory restore left out).
    std::string EverythingReadable() {
        std::string all;
        for (const std::string& key : SimCommandKeys())
            if (key[3] == 'R' && key != "EF,R" && key != "EP,R" && key != "FB,R")
                all += Reply(key + "," + (key == "XS,R" || key == "XZ,R" ? "****" : ""));
        for (int i = 0; i < 128; i += 9) {
            char index[8];
            std::snprintf(index, sizeof index, "%04X", i);
            all += Reply(std::string("XS,R,") + index) + Reply(std::string("XZ,R,") + index);
        }
        return all;
    }

    SimInstrument sim;
};

inline std::string Framed(const std::string& body) { return BuildFrame(body, EOT); }
inline std::string Status(const std::string& key, char status) { return Framed(key + "," + status); }

}  // namespace tz::test
