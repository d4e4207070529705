// The reply decoder on any reply data: the input becomes the data of a well-framed reply to every
// command the program sends (each read of the read table, and every other code and access letter
// the instrument answers), so that every reply handler sees it past the frame checks. The record
// the replies fill must then save and load back unchanged, as a settings file and as JSON.
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "link/Frame.h"
#include "link/ReadTable.h"
#include "link/ReplyDecoder.h"
#include "sim/SimCommands.h"

namespace tz {
namespace {

class Host : public IReplyHost {
public:
    void LogLine(const std::string&) override {}
    Date Now() const override { return 46000.5; }
    const std::string& LastFrame() const override { return lastFrame; }
    void SetAcknowledged(bool) override {}
    void SetZeroResult(const std::string&) override {}
    void SetSpanResult(const std::string&) override {}
    void ModelRecognised() override {}
    void GasReadings(const std::array<Single, 6>&, bool, bool) override {}
    void ListingData(Long, const std::string&) override {}

    std::string lastFrame;
};

// "XX,L," for every command the program sends.
const std::vector<std::string>& Prefixes() {
    static const std::vector<std::string> prefixes = [] {
        std::set<std::string> unique;
        for (const std::string& body : ReadTable())
            if (body.size() >= 5) unique.insert(body.substr(0, 5));
        for (const std::string& key : SimCommandKeys()) unique.insert(key + ",");
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
    return prefixes;
}

}  // namespace
}  // namespace tz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    const std::string input(fuzz::AsText(data, size));
    clsInstrument record;
    Host host;
    std::string replyData;

    // The input as a frame of its own: length, checksum and code checks.
    DecodeReply(input, &record, host, replyData);

    for (const std::string& prefix : Prefixes()) {
        // A read is answered after its own command; any other reply after the command that
        // carried the same data, so that replies which repeat what was written can match.
        const bool read = prefix[3] == 'R';
        host.lastFrame = BuildFrame(read ? prefix : prefix + input, EOT);
        DecodeReply(BuildFrame(prefix + input, EOT), &record, host, replyData);
        DecodeReply(BuildFrame(prefix + input, ETB), nullptr, host, replyData);
    }
    fuzz::CheckSettingsRoundTrip(record);
    fuzz::CheckRecordJsonRoundTrip(record);
    return 0;
}
