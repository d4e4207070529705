#include "instrument/CalibrationCertificate.h"

#include <gtest/gtest.h>

#include "instrument/GridTestRecord.h"
#include "instrument/ReadingTrace.h"
#include "text/Catalogue.h"

namespace tz {
namespace {

using testing::GridTestRecord;

std::string Field(const CertificateText& text, const std::string& label) {
    for (const auto& [l, v] : text.Fields)
        if (l == label) return v;
    return "<missing " + label + ">";
}

class CalibrationCertificate : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguage(Language::English);
        program.SerialNo("SN-0042");
        program.DummySerial("MF-7");
        program.RomNumber(5606);
        program.SysDateOffset(1.0 / 24);  // the instrument's clock is an hour ahead
        program.CalibBefore(0, 48.0f);
        program.CalibAfter(0, 50.0f);
        run.Finished = 46000.5;  // 9 December 2025 12:00:00
        run.TookPart = {true, false, true, false, false, false};
        run.Statuses = {true, false, false, false, false, false};
        run.Ok = true;
        run.Concentrations = {50, -101, 25, -101, -101, -101};
    }
    clsInstrument program = GridTestRecord();
    clsInstrument cal = GridTestRecord();
    CalibrationRun run;
};

TEST_F(CalibrationCertificate, SpanRun_IdentityTimesAndOneRowPerChannelThatTookPart) {
    const CertificateText text = BuildCalibrationCertificate(program, cal, run, "tech");
    EXPECT_EQ(text.Title, "Calibration Certificate");
    EXPECT_EQ(Field(text, "Serial No."), "SN-0042");
    EXPECT_EQ(Field(text, "Manufacture No."), "MF-7");
    EXPECT_EQ(Field(text, "Program No."), "5606");
    EXPECT_EQ(Field(text, "Operator"), "tech");
    EXPECT_EQ(Field(text, "Calibration"), "Span calibration");
    EXPECT_NE(Field(text, "Date and time (PC)"), Field(text, "Date and time (instrument)"));
    ASSERT_EQ(text.Rows.size(), 2u);
    EXPECT_EQ(text.Heads.size(), text.Rows[0].size());
    EXPECT_NE(text.Rows[0][0].find(cal.GasName(0)), std::string::npos);
    EXPECT_EQ(text.Rows[0][2], "PASSED");
    EXPECT_NE(text.Rows[0][3].find("48"), std::string::npos);
    EXPECT_NE(text.Rows[0][4].find("50"), std::string::npos);
    EXPECT_NE(text.Rows[1][0].find(cal.GasName(2)), std::string::npos);
    EXPECT_EQ(text.Rows[1][2], "FAILED");
    // One channel failed: the run as a whole does not pass.
    EXPECT_FALSE(text.Passed);
    EXPECT_EQ(text.Verdict, "Overall result: FAILED");
}

TEST_F(CalibrationCertificate, Verdict_PassesOnlyWhenTheRunAndEveryChannelPassed) {
    run.Statuses = {true, false, true, false, false, false};
    EXPECT_TRUE(BuildCalibrationCertificate(program, cal, run, "").Passed);
    run.Ok = false;  // a failed run: every row failed
    const CertificateText failed = BuildCalibrationCertificate(program, cal, run, "");
    EXPECT_FALSE(failed.Passed);
    EXPECT_EQ(failed.Rows[0][2], "FAILED");
    run.Ok = true;
    run.TookPart = {};
    EXPECT_FALSE(BuildCalibrationCertificate(program, cal, run, "").Passed) << "nothing calibrated";
}

TEST_F(CalibrationCertificate, JapaneseTexts) {
    SetLanguage(Language::Japanese);
    const CertificateText text = BuildCalibrationCertificate(program, cal, run, "");
    EXPECT_EQ(text.Title, "校正証明書");
    SetLanguage(Language::English);
}

TEST(ReadingTrace, SharesOfFullScaleMarkersAreGapsOldPointsDropped) {
    ReadingTrace trace(300);
    const std::array<Single, 6> scales{100, 25, 100, 500, 0, 50};
    const std::array<bool, 6> shown{true, true, true, false, true, true};
    trace.Add(0, {50, 20.9f, -101, 10, 5, -150}, scales, shown);
    EXPECT_EQ(trace.Points(0).size(), 1u);
    EXPECT_DOUBLE_EQ(trace.Points(0).front().Share, 0.5);
    EXPECT_TRUE(trace.Points(2).empty()) << "no value";
    EXPECT_TRUE(trace.Points(3).empty()) << "not shown";
    EXPECT_TRUE(trace.Points(4).empty()) << "no full scale";
    EXPECT_TRUE(trace.Points(5).empty()) << "status word";
    trace.Add(200, {60, 20.9f, 1, 1, 1, 1}, scales, shown);
    trace.Add(301, {70, 20.9f, 1, 1, 1, 1}, scales, shown);
    ASSERT_EQ(trace.Points(0).size(), 2u) << "the point at 0 s is older than 300 s";
    EXPECT_DOUBLE_EQ(trace.Points(0).front().Seconds, 200);
    EXPECT_DOUBLE_EQ(trace.Newest(), 301);
    const ReadingTrace::Range range = trace.ShareRange();
    EXPECT_DOUBLE_EQ(range.Low, 0);
    EXPECT_GT(range.High, 20.9 / 25);
}

TEST(ReadingTrace, RangeCoversNegativeReadingsAndIsNeverFlat) {
    ReadingTrace trace;
    EXPECT_GE(trace.ShareRange().High - trace.ShareRange().Low, 0.1);
    trace.Add(0, {-2, -101, -101, -101, -101, -101}, {100, 0, 0, 0, 0, 0}, {true, false, false, false, false, false});
    EXPECT_LT(trace.ShareRange().Low, -0.02);
    EXPECT_GE(trace.ShareRange().High - trace.ShareRange().Low, 0.1);
}

}  // namespace
}  // namespace tz
