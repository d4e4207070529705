#include "cli/WriteVerify.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "instrument/WritePayloads.h"

namespace tz::cli {

namespace {

constexpr std::size_t kHead = 5;  // "A1,W,"

bool IsListEntry(const std::string& code, const std::string& payload) {
    return (code == "XS" || code == "XZ") && payload.rfind("****", 0) != 0;
}

// The payload the read-back record gives for the same command; false when there is none.
bool PayloadFromRecord(const std::string& code, const std::string& payload, const clsInstrument& record,
                       std::string& built, std::string& name) {
    name = code;
    if (IsListEntry(code, payload)) {
        const std::string index = payload.substr(0, 4);
        int entry = -1;
        const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), entry, 16);
        if (error != std::errc() || end != index.data() + index.size() || entry < 0 ||
            entry >= clsInstrument::ListEntries)
            return false;
        const auto i = static_cast<Integer>(entry);
        built = code == "XS" ? StationListPayload(record, i) : UserListPayload(record, i);
        name = code + " " + index;
        return true;
    }
    if (!FindWriteCommand(code)) return false;
    built = WritePayload(code, record);
    return true;
}

}  // namespace

std::string SettingWriteName(const std::string& body) {
    if (body.size() < kHead || body.compare(2, 3, ",W,") != 0) return {};
    const std::string code = body.substr(0, 2);
    const std::string payload = body.substr(kHead);
    return IsListEntry(code, payload) ? code + " " + payload.substr(0, 4) : code;
}

StoppedWrite SplitStoppedWrite(const std::vector<std::string>& planned, const std::vector<std::string>& sentBodies) {
    std::set<std::string> sent;
    std::string last;
    for (const std::string& body : sentBodies) {
        std::string name = SettingWriteName(body);
        if (name.empty()) continue;
        sent.insert(name);
        last = std::move(name);
    }
    const bool lastIsSetting = std::find(planned.begin(), planned.end(), last) != planned.end();
    StoppedWrite result;
    result.closingUnconfirmed = !last.empty() && !lastIsSetting;
    for (const std::string& name : planned) {
        if (!sent.count(name))
            result.notWritten.push_back(name);
        else if (name == last)
            result.unconfirmed.push_back(name);
        else
            result.written.push_back(name);
    }
    return result;
}

std::vector<WriteMismatch> CompareWithReadBack(const std::vector<std::string>& sentBodies,
                                               const clsInstrument& readBack) {
    std::vector<WriteMismatch> mismatches;
    std::set<std::string> compared;  // a repeated frame is compared once
    for (const std::string& body : sentBodies) {
        if (body.size() < kHead || body.compare(2, 3, ",W,") != 0) continue;
        const std::string code = body.substr(0, 2);
        const std::string payload = body.substr(kHead);
        std::string built, name;
        if (!PayloadFromRecord(code, payload, readBack, built, name) || !compared.insert(name).second) continue;
        if (built != payload) mismatches.push_back({name, payload, built});
    }
    return mismatches;
}

}  // namespace tz::cli
