#include "instrument/ConverterList.h"

#include <gtest/gtest.h>

#include "app/StartupDefaults.h"
#include "app/modMain.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

class ConverterList : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }

    AdCheckRanges ranges_ = DefaultAdCheckRanges();
    clsInstrument record_;
};

TEST_F(ConverterList, TitleThenSixteenChannelsInListOrder) {
    for (Integer i = 0; i < 16; ++i) record_.AnalogValue(i, 0);
    const auto lines = ListConverterValues(record_, ranges_);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], (ColouredLine{"TZ-7300 Analog to Digital Converter Values List",
                                      InfoColour::ListGreen}));
    const char* labels[] = {"ch0 PRES.     ", "ch1 OX  AMP   ", "ch2 CO  AMP   ", "ch3 H2S AMP   ",
                            "ch4 OX TH     ", "ch5 NC TH     ", "ch6 SM1 TH    ", "ch7 SM2 TH    ",
                            "ch12 BUL      ", "ch13 BUD      ", "ch14 SM1 RS   ", "ch15 SM2 RS   ",
                            "EX NC   AMP   ", "EX G X        ", "EX G Y        ", "EX G Z        "};
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(lines[i + 1].text, std::string("\t") + labels[i] + ":    0mV") << i;
}

TEST_F(ConverterList, UnroundedMillivoltsAreCheckedAgainstTheRange) {
    record_.AnalogValue(0, 1985);  // 1599.24 mV
    EXPECT_EQ(ListConverterValues(record_, ranges_)[1],
              (ColouredLine{"\tch0 PRES.     : 1599mV", InfoColour::ListGreen}));
    record_.AnalogValue(0, 1986);  // 1600.05 mV: shown as 1600 but beyond the limit
    EXPECT_EQ(ListConverterValues(record_, ranges_)[1],
              (ColouredLine{"\tch0 PRES.     : 1600mV", InfoColour::Red}));
}

TEST_F(ConverterList, ExChannelsShowTheReadingAndUseTheirOwnRanges) {
    record_.AnalogValue(13, -150);  // EX G X
    record_.AnalogValue(14, 99);    // EX G Y
    const auto lines = ListConverterValues(record_, ranges_);
    EXPECT_EQ(lines[14], (ColouredLine{"\tEX G X        : -150mV", InfoColour::Red}));
    EXPECT_EQ(lines[15], (ColouredLine{"\tEX G Y        :   99mV", InfoColour::ListGreen}));
}

TEST_F(ConverterList, UncheckedChannelsAreNavyAndOthersFollowTheGivenRanges) {
    record_.AnalogValue(10, 30000);  // ch14, far beyond any range
    record_.AnalogValue(8, 5200);    // ch12 BUL: 4189.45 mV
    auto lines = ListConverterValues(record_, ranges_);
    EXPECT_EQ(lines[11].colour, InfoColour::Navy);
    EXPECT_EQ(lines[9].colour, InfoColour::ListGreen);
    ranges_[8] = {4200, 4250};
    lines = ListConverterValues(record_, ranges_);
    EXPECT_EQ(lines[9].colour, InfoColour::Red);
    EXPECT_EQ(RgbOf(InfoColour::ListGreen), (Rgb{0, 128, 64}));
    EXPECT_EQ(RgbOf(InfoColour::Red), (Rgb{255, 0, 0}));
    EXPECT_EQ(RgbOf(InfoColour::Navy), (Rgb{0, 0, 128}));
    EXPECT_EQ(RgbOf(InfoColour::Green), (Rgb{0, 255, 0}));
}

TEST_F(ConverterList, WithoutRangesTheProgramsRangesApply) {
    ResetProgram();
    Program().AdCheck = ranges_;
    record_.AnalogValue(1, 620);  // 499.5 mV, inside 452 to 550
    EXPECT_EQ(ListConverterValues(record_)[2].colour, InfoColour::ListGreen);
    Program().AdCheck[1] = {500, 550};
    EXPECT_EQ(ListConverterValues(record_)[2].colour, InfoColour::Red);
    ResetProgram();
}

TEST_F(ConverterList, LampListsSetAndUnset) {
    record_.RomNumber(5606);
    record_.PIDver("00000000000000");
    record_.PID10ver("20240101000001");
    auto lines = CheckPidLists(record_);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (ColouredLine{"PID list (10.6eV) is not set", InfoColour::Red}));
    EXPECT_EQ(lines[1], (ColouredLine{"PID list (10.0eV) is already set (20240101000001)",
                                      InfoColour::Green}));

    record_.PIDver("20230505000002");
    record_.PID10ver("00000000000000");
    lines = CheckPidLists(record_);
    EXPECT_EQ(lines[0], (ColouredLine{"PID list (10.6eV) is already set (20230505000002)",
                                      InfoColour::Green}));
    EXPECT_EQ(lines[1], (ColouredLine{"PID list (10.0eV) is not set", InfoColour::Red}));
}

TEST_F(ConverterList, ProgramBefore5606DoesNotSupportThe10eVLamp) {
    record_.RomNumber(5605);
    record_.PIDver("20230505000002");
    const auto lines = CheckPidLists(record_);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], (ColouredLine{"This TZ-7300 does not support 10.0eV specification.",
                                      InfoColour::Red}));
}

}  // namespace
}  // namespace tz
