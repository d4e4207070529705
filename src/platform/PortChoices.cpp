#include "platform/PortChoices.h"

#include <cstdio>

#include "text/Catalogue.h"

namespace tz {
namespace {

constexpr int MsgInfraredModuleMark = 30101;
constexpr int MsgNotReportedMark = 30102;

std::string Hex4(std::uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::vector<PortChoice> ListPortChoices(std::vector<SerialPortEntry> ports, const std::string& configured,
                                        PortNumbering numbering) {
    const auto module = ParseHardwareId(UsbInfraredModuleId);
    std::vector<PortChoice> choices;
    bool configuredListed = configured.empty();
    for (NumberedPort& port : NumberPorts(std::move(ports), numbering)) {
        SerialPortEntry& entry = port.entry;
        PortChoice choice;
        choice.infraredModule = module && entry.vendorId == module->vendor && entry.productId == module->product;
        choice.device = std::move(entry.device);
        choice.portName = std::move(entry.portName);
        choice.description = std::move(entry.description);
        choice.vendorId = entry.vendorId;
        choice.productId = entry.productId;
        if (choice.device == configured) configuredListed = true;
        choices.push_back(std::move(choice));
    }
    if (!configuredListed) {
        PortChoice choice;
        choice.device = configured;
        choice.portName = configured;
        choice.reported = false;
        choices.push_back(std::move(choice));
    }
    return choices;
}

std::string UsbIdsText(const PortChoice& choice) {
    if (!choice.vendorId || !choice.productId) return {};
    return Hex4(*choice.vendorId) + ":" + Hex4(*choice.productId);
}

std::string PortChoiceText(const PortChoice& choice) {
    std::string text = choice.portName.empty() ? choice.device : choice.portName;
    const auto part = [&text](const std::string& more) {
        if (!more.empty()) text += " - " + more;
    };
    part(choice.description);
    const std::string ids = UsbIdsText(choice);
    if (!ids.empty()) part("USB " + ids);
    if (choice.infraredModule) part(LoadMessage(MsgInfraredModuleMark));
    if (!choice.reported) part(LoadMessage(MsgNotReportedMark));
    return text;
}

}  // namespace tz
