#include "platform/SerialPortLookup.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>

#include "text/Catalogue.h"

namespace tz {
namespace {

// Splits "ttyUSB10" into "ttyUSB" and 10; a name without trailing digits gets -1.
std::pair<std::string, long> StemAndNumber(const std::string& name) {
    auto end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1]))) --end;
    const std::string digits = name.substr(end);
    if (digits.empty() || digits.size() > 9) return {name, -1};
    return {name.substr(0, end), std::stol(digits)};
}

bool NaturalLess(const SerialPortEntry& a, const SerialPortEntry& b) {
    const auto ka = StemAndNumber(a.portName);
    const auto kb = StemAndNumber(b.portName);
    if (ka != kb) return ka < kb;
    return a.device < b.device;
}

// The n of "COM<n>" (any case), or 0.
int ComNumber(const std::string& portName) {
    if (portName.size() < 4 || portName.size() > 12) return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(portName[i])) != "COM"[i]) return 0;
    }
    long value = 0;
    for (std::size_t i = 3; i < portName.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(portName[i]))) return 0;
        value = value * 10 + (portName[i] - '0');
    }
    return value > 0 && value <= 32767 ? static_cast<int>(value) : 0;
}

std::optional<std::uint16_t> ParseHex4(const std::string& text) {
    if (text.size() != 4) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : std::toupper(c) - 'A' + 10);
    }
    return static_cast<std::uint16_t>(value);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::vector<SerialPortEntry> SystemSerialPorts() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.portName = info.portName().toStdString();
        entry.device = info.systemLocation().toStdString();
        if (info.hasVendorIdentifier()) entry.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) entry.productId = info.productIdentifier();
        entry.description = info.description().toStdString();
        ports.push_back(std::move(entry));
    }
    return ports;
}

PortNumbering NativePortNumbering() {
#ifdef _WIN32
    return PortNumbering::ComNames;
#else
    return PortNumbering::EnumerationOrder;
#endif
}

std::vector<NumberedPort> NumberPorts(std::vector<SerialPortEntry> ports, PortNumbering numbering) {
    std::vector<NumberedPort> numbered;
    if (numbering == PortNumbering::ComNames) {
        for (auto& port : ports) {
            if (const int n = ComNumber(port.portName)) numbered.push_back({n, std::move(port)});
        }
        std::sort(numbered.begin(), numbered.end(),
                  [](const NumberedPort& a, const NumberedPort& b) { return a.number < b.number; });
        return numbered;
    }
    std::sort(ports.begin(), ports.end(), NaturalLess);
    int n = 0;
    for (auto& port : ports) numbered.push_back({++n, std::move(port)});
    return numbered;
}

std::string DeviceForPort(int number, const SerialPortEnumerator& enumerate,
                          PortNumbering numbering) {
    if (number <= 0) return {};
    if (numbering == PortNumbering::ComNames) return "COM" + std::to_string(number);
    for (const auto& port : NumberPorts(enumerate(), numbering)) {
        if (port.number == number) return port.entry.device;
    }
    return {};
}

std::string DeviceForPort(int number) {
    return DeviceForPort(number, SystemSerialPorts, NativePortNumbering());
}

std::optional<UsbId> ParseHardwareId(const std::string& hardwareId) {
    const std::string id = Upper(hardwareId);
    // "VID_" 4 digits "&PID_" 4 digits
    if (id.size() != 17 || id.compare(0, 4, "VID_") != 0 || id.compare(8, 5, "&PID_") != 0) {
        return std::nullopt;
    }
    const auto vendor = ParseHex4(id.substr(4, 4));
    const auto product = ParseHex4(id.substr(13, 4));
    if (!vendor || !product) return std::nullopt;
    return UsbId{*vendor, *product};
}

UsbPortLookup FindUsbSerialPort(const std::string& hardwareId, IDialogs* dialogs,
                                const MessageLoader& loadMessage,
                                const SerialPortEnumerator& enumerate, PortNumbering numbering) {
    UsbPortLookup result;
    const auto id = ParseHardwareId(hardwareId);
    if (!id) return result;

    std::vector<NumberedPort> matches;
    for (auto& port : NumberPorts(enumerate(), numbering)) {
        if (port.entry.vendorId == id->vendor && port.entry.productId == id->product) {
            matches.push_back(std::move(port));
        }
    }
    result.count = static_cast<int>(matches.size());
    if (matches.size() == 1) {
        result.portNumber = matches.front().number;
        result.device = matches.front().entry.device;
    } else if (matches.size() > 1 && dialogs) {
        const auto text = [&](int number) {
            return loadMessage ? loadMessage(number) : LoadMessage(number);
        };
        dialogs->MsgBox(text(MsgSeveralUsbModules), text(MsgModuleFinderTitle), MsgIcon::Stop,
                        MsgButtons::Ok);
    }
    return result;
}

}  // namespace tz
