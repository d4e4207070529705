#include "instrument/CalibrationFactors.h"

#include <gtest/gtest.h>

#include "instrument/GridTestRecord.h"
#include "text/Catalogue.h"
#include "text/SharedHelpers.h"

namespace tz {
namespace {

class CalibrationFactors : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguage(Language::English);
        for (Integer gas = 0; gas < 6; ++gas) record.SpanData(gas, 2.0f + gas);
    }
    clsInstrument record = testing::GridTestRecord();
    std::array<std::string, 6> rates{"1.00", "1.50", "1.00", "1.99", "1.00", "1.00"};
};

TEST_F(CalibrationFactors, RateTimesSpanFactor_SixHexTextsJoined) {
    const FactorDatas datas = BuildCalibrationFactorDatas(record, rates);
    ASSERT_TRUE(datas.Ok) << datas.Reason;
    EXPECT_EQ(datas.Datas, SingleToHex(2.0f) + "," + SingleToHex(1.5f * 3.0f) + "," + SingleToHex(4.0f) + "," +
                               SingleToHex(1.99f * 5.0f) + "," + SingleToHex(6.0f) + "," + SingleToHex(7.0f));
    EXPECT_EQ(datas.Datas.substr(0, 18), "40000000,40900000,");
}

TEST_F(CalibrationFactors, InvalidRate_RefusedNamingTheChannel) {
    for (const char* bad : {"", "0", "2.00", "-101", "abc", "0.5"}) {
        rates[3] = bad;
        const FactorDatas datas = BuildCalibrationFactorDatas(record, rates);
        EXPECT_FALSE(datas.Ok) << bad;
        EXPECT_EQ(datas.Channel, 3);
        EXPECT_EQ(datas.Reason, "Channel 4 (CO): the rate \"" + std::string(bad) + "\" is not a valid rate from 1.00 to 1.99.");
        EXPECT_TRUE(datas.Datas.empty());
    }
}

TEST_F(CalibrationFactors, SpanFactorNeverRead_Refused) {
    record.SpanData(5, -101);
    const FactorDatas datas = BuildCalibrationFactorDatas(record, rates);
    EXPECT_FALSE(datas.Ok);
    EXPECT_EQ(datas.Channel, 5);
    EXPECT_EQ(datas.Reason.rfind("Channel 6 (HC): no span factor has been read", 0), 0u) << datas.Reason;
}

TEST(CalibrationFactorResult, RefusedChannelsAndClosingText) {
    SetLanguage(Language::English);
    EXPECT_EQ(RefusedFactorChannels("010001"), (std::array<bool, 6>{false, true, false, false, false, true}));
    EXPECT_EQ(RefusedFactorChannels("1"), (std::array<bool, 6>{true, false, false, false, false, false}));
    EXPECT_EQ(CalibrationFactorResultText(true, "000000"), "Update finished");
    EXPECT_EQ(CalibrationFactorResultText(false, "010000"), "Update Failed  ( 010000 )");
}

}  // namespace
}  // namespace tz
