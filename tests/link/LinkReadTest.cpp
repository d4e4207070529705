// Reading operations and the gas poll against a scripted instrument at virtual time.
#include <gtest/gtest.h>

#include <map>

#include "instrument/modGasCommon.h"
#include "link/LinkMessages.h"
#include "link/LinkTestRig.h"
#include "link/ReadTable.h"

namespace tz::test {
namespace {

TEST(ReadTableEntries, FixedCommandsStationsAndUsers) {
    const auto& table = ReadTable();
    int sent = 0;
    for (int i = 0; i <= ReadTableLastSent; ++i)
        if (!table[static_cast<std::size_t>(i)].empty()) ++sent;
    EXPECT_EQ(sent, 328);
    EXPECT_EQ(table[0], "SZ,R,");
    EXPECT_EQ(table[5], "XS,R,****");
    EXPECT_EQ(table[80], "UO,R,");
    EXPECT_EQ(table[81], "XS,R,0000");
    EXPECT_EQ(table[208], "XS,R,007F");
    EXPECT_EQ(table[209], "XZ,R,0000");
    EXPECT_EQ(table[336], "XZ,R,007F");
    EXPECT_EQ(table[337], "XZ,R,0080");
    for (int empty : {2, 15, 16, 27, 29, 44, 45, 47, 48}) EXPECT_TRUE(table[static_cast<std::size_t>(empty)].empty()) << empty;
}

// Answers every read with the reply the decoder needs to accept it.
std::vector<Piece> Accepting(const std::string& body) {
    const std::string code = body.substr(0, 5);
    static const std::map<std::string, std::string> kData = {
        {"SZ,R,", "0,0,0,0,0,0"}, {"S1,R,", "3F800000,3F800000,3F800000,3F800000,3F800000,3F800000"},
        {"IN,R,", "SN-0001"},      {"HN,R,", "DUMMY"},
    };
    const auto found = kData.find(code);
    return {{Reply(code + (found != kData.end() ? found->second : std::string()))}};
}

TEST(LinkRead, GetRomNo_SendsIdentityReadsInOrder) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect(Accepting));
    EXPECT_TRUE(rig.link.GetRomNo(&rig.record));
    EXPECT_EQ(rig.device.bodies, (std::vector<std::string>{"SZ,R,", "S1,R,", "IN,R,", "HN,R,"}));
    EXPECT_EQ(rig.record.SerialNo(), "SN-0001");
    EXPECT_EQ(rig.record.SpanData(5), 1.0f);
    EXPECT_EQ(rig.link.Instrument(), &rig.record);
}

TEST(LinkRead, GetInstrumentWithoutRecord_FalseAndNothingSent) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect(Accepting));
    EXPECT_FALSE(rig.link.GetInstrument(nullptr));
    EXPECT_TRUE(rig.device.frames.empty());
}

TEST(LinkRead, GetInstrument_StopsAtFirstFailedExchangeKeepingWhatWasRead) {
    LinkRig rig;
    rig.link.Retry(1);
    ASSERT_TRUE(rig.Connect([](const std::string& body) {
        if (body == "HN,R,") return std::vector<Piece>{};
        return Accepting(body);
    }));
    EXPECT_FALSE(rig.link.GetInstrument(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsFailed);
    EXPECT_EQ(rig.record.SerialNo(), "SN-0001");
    EXPECT_EQ(rig.device.CountOf("XS,R,"), 0);
}

TEST(LinkRead, GetGasInfoFailed_ChannelsShowNotFitted) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("GJ,R,short")}}; }));
    rig.link.Retry(0);
    clsInstrument target;
    ParseGasInfo(std::string("CH4       ") + " " + "  100" + "  1.0" + "%LEL", target, 0);
    ASSERT_TRUE(target.GasEnabled(0));
    EXPECT_FALSE(rig.link.GetGasInfo(&target));
    EXPECT_EQ(rig.link.Status(), stsIdle);
    clsInstrument notFitted;
    ParseGasInfo(NotFittedGasInfo, notFitted, 0);
    EXPECT_EQ(target.GasName(0), notFitted.GasName(0));
    EXPECT_EQ(target.GasEnabled(0), notFitted.GasEnabled(0));
}

TEST(LinkRead, GetAutoCalDenstyFailed_NoValuesAndLowMarks) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.link.Retry(0);
    clsInstrument target;
    target.AutoCalib(2, 50.0f);
    EXPECT_FALSE(rig.link.GetAutoCalDensty(&target));
    EXPECT_EQ(rig.link.Status(), stsIdle);
    for (Integer gas = 0; gas < 6; ++gas) EXPECT_EQ(target.AutoCalib(gas), -101.0f);
    EXPECT_TRUE(target.AutoCalIsLo(4));
    EXPECT_TRUE(target.AutoCalIsLo(5));
}

TEST(LinkRead, GetAutoCalDensty_FillsGivenRecordOnly) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) { return std::vector<Piece>{{Reply("SA,R,50,20.9,25,50,100,5")}}; }));
    clsInstrument target;
    EXPECT_TRUE(rig.link.GetAutoCalDensty(&target));
    EXPECT_FLOAT_EQ(target.AutoCalib(1), 20.9f);
    EXPECT_EQ(rig.link.Instrument(), &rig.record);
}

TEST(LinkRead, GetLatestHistory_ProgressAsInterMessage) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([&](const std::string&) {
        rig.record.MessageString("reading");
        const std::string field = "250102030405  0.0 50.0";
        return std::vector<Piece>{{Reply("SO,R," + field + "," + field + "," + field + "," + field + "," + field + "," + field)}};
    }));
    EXPECT_TRUE(rig.link.GetLatestHistory(&rig.record));
    EXPECT_EQ(rig.events.interMessages, std::vector<std::string>{"reading"});
    EXPECT_FLOAT_EQ(rig.record.CalibAfter(3), 50.0f);
}

TEST(LinkRead, GetLatestBumpHistoryFailed_Idle) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.link.Retry(0);
    EXPECT_FALSE(rig.link.GetLatestBumpHistory(&rig.record));
    EXPECT_EQ(rig.link.Status(), stsIdle);
    EXPECT_EQ(rig.device.bodies, std::vector<std::string>{"BO,R,"});
}

// ---- Gas poll ----

TEST(LinkGasPoll, SilentInstrument_AlternatesRequestAndTimeoutLine) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.link.Status(stsIdle);
    rig.link.RunDensty(true);
    EXPECT_TRUE(rig.link.RunDensty());
    rig.loop.RunFor(4050);
    EXPECT_EQ(rig.device.CountOf("DN,R,"), 2);  // seconds 1 and 3; seconds 2 and 4 log the timeout
    int timeouts = 0;
    const std::string line = LinkText(msgReadingTimeout, "");
    for (const std::string& logged : rig.logLines)
        if (logged.find(line.substr(0, 20)) != std::string::npos) ++timeouts;
    EXPECT_EQ(timeouts, 2);
}

TEST(LinkGasPoll, Answered_ReadingsRaisedEverySecond) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) {
        return std::vector<Piece>{{Reply("DN,R,0,20.9,0,0,1.5,0.25,H,L")}};
    }));
    rig.link.RunDensty(true);
    rig.loop.RunFor(3050);
    ASSERT_EQ(rig.events.readings.size(), 3u);
    EXPECT_FLOAT_EQ(rig.events.readings[0][1], 20.9f);
    EXPECT_FLOAT_EQ(rig.events.readings[0][5], 0.25f);
    EXPECT_FALSE(rig.events.lowMarks[0][0]);
    EXPECT_TRUE(rig.events.lowMarks[0][1]);
    rig.link.RunDensty(false);
    EXPECT_FALSE(rig.link.RunDensty());
    rig.loop.RunFor(3000);
    EXPECT_EQ(rig.events.readings.size(), 3u);
}

TEST(LinkGasPoll, StoppedWhileReadingPending_WaitsForItToEnd) {
    LinkRig rig;
    ASSERT_TRUE(rig.Connect([](const std::string&) {
        return std::vector<Piece>{{Reply("DN,R,1,2,3,4,5,6"), 500}};
    }));
    rig.link.RunDensty(true);
    rig.loop.RunFor(1100);
    ASSERT_EQ(rig.link.Status(), stsWaitRead);
    rig.link.RunDensty(false);
    EXPECT_EQ(rig.link.Status(), stsCompleted);
    EXPECT_EQ(rig.events.readings.size(), 1u);
}

}  // namespace
}  // namespace tz::test
