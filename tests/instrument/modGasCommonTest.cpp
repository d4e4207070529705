#include "instrument/modGasCommon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instrument/InstrumentSettings.h"
#include "text/Errors.h"

namespace tz {
namespace {

// A gas information field from its parts: name left-aligned in 10, a space, full scale and step
// right-aligned in 5 each, unit left-aligned in 4.
std::string Field(const std::string& name, const std::string& fullScale, const std::string& step,
                  const std::string& unit) {
    auto right = [](const std::string& t) { return std::string(5 - t.size(), ' ') + t; };
    auto left = [](const std::string& t, std::size_t w) {
        return t + std::string(w - t.size(), ' ');
    };
    return left(name, 10) + " " + right(fullScale) + right(step) + left(unit, 4);
}

class GasCommonTest : public ::testing::Test {
protected:
    void TearDown() override { ResetInstrumentSettings(); }
    clsInstrument rec;
};

struct ValueTextCase {
    Single value;
    Integer decimals;
    const char* text;
};

TEST_F(GasCommonTest, GasValueText_StatusWordsAndNumbers) {
    const ValueTextCase cases[] = {
        {-101, 2, "-----"},      {65535, 0, "-----"},     {-102, 0, "NORMAL"},
        {-103, 0, "WARNING"},    {-104, 0, "ALARM"},      {-105, 0, "STEL"},
        {-106, 0, "TWA"},        {-107, 0, "OVER"},       {-118, 1, "?????"},
        {65280, 0, "?????"},     {-121, 0, "*****"},      {56797, 0, "*****"},
        {-130, 0, "Fail(Air)"},  {-131, 0, "Fail(Span)"}, {-132, 0, "Fail(Sen.)"},
        {-133, 0, "Fail(Com.)"}, {-134, 0, "Fail(Ram)"},  {-135, 0, "Fail(Rom)"},
        {-136, 0, "Fail(Ext.)"}, {-150, 0, "Fail(ALK.)"}, {-151, 0, "Fail(NIMH)"},
        {-152, 0, "Fail(FLOW)"}, {-153, 0, "Fail(RAM)"},  {-154, 0, "Fail(ROM)"},
        {-155, 0, "Fail(FRAM)"}, {-156, 0, "Fail(FLA.)"}, {-157, 0, "Fail(CLO.)"},
        {-170, 0, "CAL ON"},     {-171, 0, "CAL OFF"},    {-172, 0, "CLEAR"},
        {-173, 0, "LEL"},        {-174, 0, "ppm"},        {-175, 0, "vol"},
        {-176, 0, "ELE ON"},     {-177, 0, "ELE OFF"},    {-178, 0, "CAT ON"},
        {-179, 0, "CAT OFF"},    {-180, 0, "AIR"},
        // Not codes: formatted with 1 to 3 decimals, otherwise none.
        {-99, 0, "-99"},         {-108, 1, "-108.0"},     {-101.5f, 1, "-101.5"},
        {20.9f, 1, "20.9"},      {20.9f, 5, "21"},        {20.9f, -1, "21"},
        {0.05f, 1, "0.1"},       {1.5f, 2, "1.50"},       {1.2345f, 3, "1.235"},
        {65534, 0, "65534"},
    };
    for (const ValueTextCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " with " << c.decimals);
        EXPECT_EQ(GasValueText(c.value, c.decimals, false), c.text);
    }
}

TEST_F(GasCommonTest, GasValueText_ConvertAppliesConversionFactor) {
    SharedInstrumentSettings().ConvParam = 0.05f;
    EXPECT_EQ(GasValueText(50, 2, true), "2.50");
    EXPECT_EQ(GasValueText(50, 2, false), "50.00");
    // Status codes are words whether converted or not.
    EXPECT_EQ(GasValueText(-107, 2, true), "OVER");
}

TEST_F(GasCommonTest, NumberField5_RightAlignsInFiveCharacters) {
    const ValueTextCase cases[] = {
        {100, 0, "  100"},   {0.5f, 2, " 0.50"},  {-1, 1, "*****"},   {123456, 0, "23456"},
        {0, 0, "    0"},     {0.05f, 1, "  0.1"}, {20.9f, 1, " 20.9"}, {1.5f, 3, "1.500"},
        {500, 4, "  500"},   {12.5f, 2, "12.50"}, {100, 1, "100.0"},  {1000, 1, "000.0"},
        {-101, 0, "*****"},
    };
    for (const ValueTextCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " with " << c.decimals);
        EXPECT_EQ(NumberField5(c.value, c.decimals), c.text);
        // The uncut field differs only where the number is wider than five characters.
        const std::string uncut = NumberFieldUncut(c.value, c.decimals);
        EXPECT_EQ(uncut.substr(uncut.size() - 5), c.text);
    }
    EXPECT_EQ(NumberFieldUncut(123456, 0), "123456");
    EXPECT_EQ(NumberFieldUncut(1000, 1), "1000.0");
}

TEST_F(GasCommonTest, DecimalFormat_ZeroToNineAndEmptyOtherwise) {
    EXPECT_EQ(DecimalFormat(0), "#0");
    EXPECT_EQ(DecimalFormat(1), "#0.0");
    EXPECT_EQ(DecimalFormat(3), "#0.000");
    EXPECT_EQ(DecimalFormat(9), "#0.000000000");
    EXPECT_EQ(DecimalFormat(10), "");
    EXPECT_EQ(DecimalFormat(-1), "");
    EXPECT_EQ(DecimalFormat(-101), "");
}

TEST_F(GasCommonTest, DecimalsOf_CountsCharactersAfterFirstPoint) {
    EXPECT_EQ(DecimalsOf("0.05"), 2);
    EXPECT_EQ(DecimalsOf("  1.0"), 1);
    EXPECT_EQ(DecimalsOf("10"), 0);
    EXPECT_EQ(DecimalsOf("5."), 0);
    EXPECT_EQ(DecimalsOf(""), 0);
    EXPECT_EQ(DecimalsOf("1.2.3"), 3);
}

TEST_F(GasCommonTest, ParseGasValue_NumbersAndStatusWords) {
    const std::pair<const char*, Single> cases[] = {
        {"WARN", -103},  {" over", -107}, {"ALRM", -104}, {"STEL", -105}, {"twa", -106},
        {"NORMAL", -102}, {"12.5", 12.5f}, {"  20.9 ", 20.9f}, {"-3", -3}, {"abc", -101},
        {"", -101},      {"OV", -101},    {"ALARM", -101},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(ParseGasValue(text), code) << text;
}

TEST_F(GasCommonTest, GasLabelOf_NameFullScaleAndUnit) {
    ParseGasInfo(Field("CO", "500", "1", "ppm"), rec, 3);
    ParseGasInfo(Field("VOC", "99.9", "0.1", "ppm"), rec, 4);
    EXPECT_EQ(GasLabelOf(rec, 3, true), "CO(500ppm)");
    EXPECT_EQ(GasLabelOf(rec, 3, false), "CO(ppm)");
    EXPECT_EQ(GasLabelOf(rec, 4, true), "VOC(ppm)");  // channel 4 never shows its full scale
    EXPECT_EQ(GasLabelOf(rec, 0, true), "----(---)");
    rec.GasName(0, "   ");
    EXPECT_EQ(GasLabelOf(rec, 0, false), "----(---)");
    EXPECT_EQ(GasLabelOf(rec, 6, true), "----(---)");
}

TEST_F(GasCommonTest, GasLabel_FromLooseValues) {
    EXPECT_EQ(GasLabel("H2S", "ppm", 30.0f, 1), "H2S(30.0ppm)");
    EXPECT_EQ(GasLabel("O2", "vol%", 25.0f, 0), "O2(25vol%)");
    EXPECT_EQ(GasLabel("O2", "vol%", -1.0f, 1), "O2(vol%)");
    EXPECT_EQ(GasLabel(" ", "ppm", 30.0f, 1), "----(---)");
    EXPECT_EQ(GasLabel("CH4", "%LEL", 100.0f, -101), "CH4(100%LEL)");  // no format: general form
}

TEST_F(GasCommonTest, ParseGasInfo_FittedChannelSetsMainRangeAndFlags) {
    rec.Warning(2, 10.0f);
    rec.ClearChangeFlags();
    ParseGasInfo(Field("H2S", "30.0", "0.1", "ppm"), rec, 2);
    EXPECT_EQ(rec.GasName(2), "H2S");
    EXPECT_TRUE(rec.GasEnabled(2));
    EXPECT_EQ(rec.GasFullScale(2), 30.0f);
    EXPECT_EQ(rec.GasDesit(2), 0.1f);
    EXPECT_EQ(rec.GasPoint(2), 1);
    EXPECT_EQ(rec.GasUnit(2), "ppm");
    EXPECT_EQ(rec.Warning(2), 10.0f);  // alarm points are left alone
    EXPECT_TRUE(rec.Change_GasEnable(2));
    EXPECT_TRUE(rec.Change_GasPoint(2));
    EXPECT_FALSE(rec.Change_Warn(2));
}

TEST_F(GasCommonTest, ParseGasInfo_NotFittedFieldsClearTheChannel) {
    for (const std::string& field : {NotFittedGasInfo, std::string("---") + std::string(22, ' '),
                                    std::string("---")}) {
        SCOPED_TRACE(field);
        clsInstrument r;
        ParseGasInfo(Field("CO", "500", "1", "ppm"), r, 1);
        r.Warning(1, 50.0f);
        r.AutoCalib(1, 100.0f);
        ParseGasInfo(field, r, 1);
        EXPECT_EQ(r.GasName(1), "");
        EXPECT_FALSE(r.GasEnabled(1));
        EXPECT_EQ(r.GasFullScale(1), -101.0f);
        EXPECT_EQ(r.GasDesit(1), 0.0f);
        EXPECT_EQ(r.GasPoint(1), -101);
        EXPECT_EQ(r.GasUnit(1), "");
        EXPECT_EQ(r.Warning(1), -101.0f);
        EXPECT_EQ(r.Alarm(1), -101.0f);
        EXPECT_EQ(r.Stel(1), -101.0f);
        EXPECT_EQ(r.Twa(1), -101.0f);
        EXPECT_EQ(r.AutoCalib(1), -101.0f);
    }
}

TEST_F(GasCommonTest, ParseGasInfo_BadNumberColumnThrowsAndLeavesRecordAlone) {
    ParseGasInfo(Field("CO", "500", "1", "ppm"), rec, 1);
    rec.ClearChangeFlags();
    const std::string badFields[] = {Field("CO2", "*****", "1", "ppm"),
                                     Field("CO2", "500", "abc", "ppm"), "CO2", "CO2          500"};
    for (const std::string& field : badFields) {
        SCOPED_TRACE(field);
        EXPECT_THROW(ParseGasInfo(field, rec, 1), ConversionError);
        EXPECT_EQ(rec.GasName(1), "CO");
        EXPECT_EQ(rec.GasFullScale(1), 500.0f);
        EXPECT_FALSE(rec.Change_GasPoint(1));
    }
}

// A range the five-character number fields would write differently (leading digits cut, a
// negative value written as "*****", decimals beyond three shown as none) never enters.
TEST_F(GasCommonTest, RangeThatCannotBeWrittenBack_IsRefusedAndChangesNothing) {
    ParseGasInfo(Field("CO", "500", "1", "ppm"), rec, 1);
    ParseSecondRangeInfo(Field("", "50", "1", "ppm"), rec, 4);
    const std::string refused[] = {Field("O2", "32050", "0.1", "vol%"), Field("O2", "-1.0", "0.1", "vol%"),
                                   Field("O2", "999", "0.01", "vol%"), Field("O2", "1", ".0001", "vol%"),
                                   Field("O2", "25", "-0.1", "vol%")};
    for (const std::string& field : refused) {
        SCOPED_TRACE(field);
        EXPECT_THROW(ParseGasInfo(field, rec, 1), ConversionError);
        EXPECT_THROW(ParseSecondRangeInfo(field, rec, 4), ConversionError);
        EXPECT_EQ(rec.GasFullScale(1), 500.0f);
        EXPECT_EQ(rec.GasFullScale_l(4), 50.0f);
    }
    ParseGasInfo(Field("O2", "99.99", "0.01", "vol%"), rec, 1);  // exactly five characters
    EXPECT_EQ(rec.GasFullScale(1), 99.99f);
}

// The fields of a line are read whole before any is stored.
TEST_F(GasCommonTest, ParseGasInfoFields_BadFieldAnywhereStoresNothing) {
    std::vector<std::string> fields(6, Field("CO", "500", "1", "ppm"));
    fields.push_back(Field("", "*****", "", ""));
    fields.push_back("");  // a line cut short
    EXPECT_THROW(ParseGasInfoFields(fields, rec), ConversionError);
    EXPECT_FALSE(rec.GasEnabled(0));
    fields.back() = NotFittedGasInfo;
    ParseGasInfoFields(fields, rec);
    EXPECT_EQ(rec.GasName(5), "CO");
    EXPECT_EQ(rec.GasFullScale_l(5), NoValue);
}

TEST_F(GasCommonTest, ParseSecondRangeInfo_SetsOrClearsSecondRange) {
    ParseSecondRangeInfo(Field("IGNORED", "2.0", "0.001", "ppm"), rec, 5);
    EXPECT_EQ(rec.GasFullScale_l(5), 2.0f);
    EXPECT_EQ(rec.GasDigit_l(5), 0.001f);
    EXPECT_EQ(rec.GasPoint_l(5), 3);
    EXPECT_EQ(rec.GasUnit_l(5), "ppm");
    EXPECT_EQ(rec.GasName(5), "");  // the name columns are not read

    ParseSecondRangeInfo(Field("VOC", "*****", "0.1", "ppm"), rec, 5);
    EXPECT_EQ(rec.GasFullScale_l(5), -101.0f);
    EXPECT_EQ(rec.GasDigit_l(5), -101.0f);
    EXPECT_EQ(rec.GasPoint_l(5), -101);
    EXPECT_EQ(rec.GasUnit_l(5), "");

    ParseSecondRangeInfo(Field("IGNORED", "2.0", "0.001", "ppm"), rec, 4);
    ParseSecondRangeInfo(NotFittedGasInfo, rec, 4);
    EXPECT_EQ(rec.GasFullScale_l(4), -101.0f);
    EXPECT_THROW(ParseSecondRangeInfo(Field("VOC", "2x", "0.1", "ppm"), rec, 4), ConversionError);
}

TEST_F(GasCommonTest, SecondRangeAbsent_MainRangeStillParses) {
    const std::string field = Field("VOC", "*****", "0.1", "ppm");
    EXPECT_THROW(ParseGasInfo(field, rec, 4), ConversionError);
    ParseGasInfo(Field("VOC", "99.9", "0.1", "ppm"), rec, 4);
    ParseSecondRangeInfo(field, rec, 4);
    EXPECT_EQ(rec.GasName(4), "VOC");
    EXPECT_EQ(rec.GasFullScale(4), 99.9f);
    EXPECT_EQ(rec.GasFullScale_l(4), -101.0f);
}

TEST_F(GasCommonTest, GasInfoFieldRoundTripsThroughNumberField5) {
    // The writer builds the field from NumberField5; parsing it gives the values back.
    const std::string field = std::string("CH4       ") + " " + NumberField5(100, 0) +
                              NumberField5(1, 0) + "%LEL";
    ASSERT_EQ(field.size(), GasInfoFieldLength);
    ParseGasInfo(field, rec, 0);
    EXPECT_EQ(rec.GasName(0), "CH4");
    EXPECT_EQ(rec.GasFullScale(0), 100.0f);
    EXPECT_EQ(rec.GasDesit(0), 1.0f);
    EXPECT_EQ(rec.GasPoint(0), 0);
    EXPECT_EQ(rec.GasUnit(0), "%LEL");
}

}  // namespace
}  // namespace tz
