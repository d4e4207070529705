#pragma once
// A pseudo-terminal pair in raw mode: the program holds the master side, and a serial client
// opens the slave device as if it were a serial port. POSIX systems only.
#include <string>

namespace tz {

class PseudoTerminal {
public:
    // Creates the pair (posix_openpt, grantpt, unlockpt) with the line in raw mode and the
    // master non-blocking. When keepSlaveOpen is set the pair also holds the slave side open, so
    // that clients can come and go without the master seeing a hang-up. Throws
    // std::runtime_error with the reason when the system refuses.
    explicit PseudoTerminal(bool keepSlaveOpen = false);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int MasterFd() const { return master_; }
    bool IsOpen() const { return master_ >= 0; }
    bool KeepsSlaveOpen() const { return slave_ >= 0; }

    // Writes as much as the line takes now; returns the count written (0 when full), -1 when
    // the pair is closed or broken.
    long Write(const std::string& bytes);
    // Takes the bytes waiting on the master side (empty when none). In packet mode it drops the
    // status packets; *reconfigured (when given) is set when one of them said a client set the
    // line (opening a serial port sets it, and so does closing one that restores its settings).
    std::string Read(bool* reconfigured = nullptr);
    // Makes every change of the line settings by a client visible on the master side: packet
    // mode on the master, and the line marked as externally processed so that any settings
    // change is reported (not only a change of flow control). A raw line passes its data
    // unchanged either way. False where the system offers no such report.
    bool WatchReconfiguration();
    // Closes the master side: a client on the slave sees the device disappear.
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    bool packetMode_ = false;
    std::string slavePath_;
};

}  // namespace tz
