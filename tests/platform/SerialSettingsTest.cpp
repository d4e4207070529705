#include <gtest/gtest.h>

#include "platform/SerialSettings.h"

namespace tz {
namespace {

struct ValidCase {
    const char* text;
    int baud;
    char parity;
    int dataBits;
    int stopBits;
    const char* canonical;
};
// Test names show the settings text.
void PrintTo(const ValidCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class SerialSettingsValid : public ::testing::TestWithParam<ValidCase> {};

TEST_P(SerialSettingsValid, ParsesAndFormatsCanonically) {
    const auto& c = GetParam();
    std::string error = "untouched";
    const auto s = ParseSerialSettings(c.text, &error);
    ASSERT_TRUE(s.has_value()) << c.text << ": " << error;
    EXPECT_EQ(s->baud, c.baud);
    EXPECT_EQ(s->parity, c.parity);
    EXPECT_EQ(s->dataBits, c.dataBits);
    EXPECT_EQ(s->stopBits, c.stopBits);
    EXPECT_EQ(FormatSerialSettings(*s), c.canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SerialSettingsValid,
    ::testing::Values(ValidCase{"115200,n,8,1", 115200, 'n', 8, 1, "115200,n,8,1"},
                      ValidCase{"921600,n,8,1", 921600, 'n', 8, 1, "921600,n,8,1"},
                      ValidCase{"9600,e,7,2", 9600, 'e', 7, 2, "9600,e,7,2"},
                      ValidCase{"300,o,8,1", 300, 'o', 8, 1, "300,o,8,1"},
                      ValidCase{"19200,m,7,1", 19200, 'm', 7, 1, "19200,m,7,1"},
                      ValidCase{"57600,s,8,2", 57600, 's', 8, 2, "57600,s,8,2"},
                      ValidCase{"12345,N,8,1", 12345, 'n', 8, 1, "12345,n,8,1"},
                      ValidCase{" 4800 , E , 7 , 1 ", 4800, 'e', 7, 1, "4800,e,7,1"}));

struct MalformedCase {
    const char* text;
    const char* reasonPart;  // what the error must point at
};
void PrintTo(const MalformedCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class SerialSettingsMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(SerialSettingsMalformed, RefusedWithReason) {
    const auto& c = GetParam();
    std::string error;
    EXPECT_FALSE(ParseSerialSettings(c.text, &error).has_value()) << c.text;
    EXPECT_NE(error.find(c.reasonPart), std::string::npos) << c.text << " -> " << error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SerialSettingsMalformed,
    ::testing::Values(MalformedCase{"", "four fields"},
                      MalformedCase{"115200", "four fields"},
                      MalformedCase{"115200,n,8", "four fields"},
                      MalformedCase{"115200,n,8,1,1", "four fields"},
                      MalformedCase{"fast,n,8,1", "baud"},
                      MalformedCase{"0,n,8,1", "baud"},
                      MalformedCase{"-9600,n,8,1", "baud"},
                      MalformedCase{"96.00,n,8,1", "baud"},
                      MalformedCase{"9999999999,n,8,1", "baud"},
                      MalformedCase{",n,8,1", "baud"},
                      MalformedCase{"9600,x,8,1", "parity"},
                      MalformedCase{"9600,,8,1", "parity"},
                      MalformedCase{"9600,no,8,1", "parity"},
                      MalformedCase{"9600,n,9,1", "data bits"},
                      MalformedCase{"9600,n,5,1", "data bits"},
                      MalformedCase{"9600,n,08,1", "data bits"},
                      MalformedCase{"9600,n,8,1.5", "stop bits"},
                      MalformedCase{"9600,n,8,0", "stop bits"},
                      MalformedCase{"9600;n;8;1", "four fields"}));

}  // namespace
}  // namespace tz
