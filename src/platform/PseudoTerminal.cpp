#include "platform/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tz {
namespace {

[[noreturn]] void Refused(const std::string& step) {
    throw std::runtime_error("pseudo-terminal: " + step + " failed: " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal(bool keepSlaveOpen) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) Refused("posix_openpt");
    try {
        if (::grantpt(master_) != 0) Refused("grantpt");
        if (::unlockpt(master_) != 0) Refused("unlockpt");
        char name[128] = {};
        if (::ptsname_r(master_, name, sizeof name) != 0) Refused("ptsname");
        slavePath_ = name;

        termios raw{};
        if (::tcgetattr(master_, &raw) != 0) Refused("tcgetattr");
        ::cfmakeraw(&raw);
        if (::tcsetattr(master_, TCSANOW, &raw) != 0) Refused("tcsetattr");

        const int flags = ::fcntl(master_, F_GETFL);
        if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) Refused("fcntl");

        if (keepSlaveOpen) {
            slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
            if (slave_ < 0) Refused("opening " + slavePath_);
        }
    } catch (...) {
        CloseMaster();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() { CloseMaster(); }

long PseudoTerminal::Write(const std::string& bytes) {
    if (master_ < 0) return -1;
    if (bytes.empty()) return 0;
    const ssize_t written = ::write(master_, bytes.data(), bytes.size());
    if (written >= 0) return static_cast<long>(written);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
}

std::string PseudoTerminal::Read(bool* reconfigured) {
    std::string bytes;
    if (master_ < 0) return bytes;
    char buffer[4096];
    while (true) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;  // nothing more now, or no client on the slave side
        if (!packetMode_) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        // Each read is one packet: a status byte, then the data of a data packet.
        if (buffer[0] == TIOCPKT_DATA) {
            bytes.append(buffer + 1, static_cast<std::size_t>(n - 1));
        } else if (reconfigured != nullptr && (buffer[0] & TIOCPKT_IOCTL) != 0) {
            *reconfigured = true;
        }
    }
    return bytes;
}

bool PseudoTerminal::WatchReconfiguration() {
#if defined(TIOCPKT) && defined(TIOCPKT_IOCTL) && defined(EXTPROC)
    if (master_ < 0) return false;
    termios line{};
    if (::tcgetattr(master_, &line) != 0) return false;
    line.c_lflag |= EXTPROC;
    if (::tcsetattr(master_, TCSANOW, &line) != 0) return false;
    int on = 1;
    if (::ioctl(master_, TIOCPKT, &on) != 0) return false;
    packetMode_ = true;
    Read();  // status packets from before the watch are not a client's
    return true;
#else
    return false;
#endif
}

void PseudoTerminal::CloseMaster() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = -1;
    master_ = -1;
}

}  // namespace tz
