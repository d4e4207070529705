#include <gtest/gtest.h>

#include "platform/SimHostOptions.h"

namespace tz {
namespace {

TEST(SimHostOptionsTest, AllSwitches_ReadInBothSpellings) {
    std::string error;
    const auto o = ParseSimHostOptions({"--link", "/tmp/tz", "--seed=42", "--delay", "15",
                                        "--baud", "115200", "--drop=0.25", "--corrupt", "0.5",
                                        "--split", "1", "--max-pieces", "3", "--piece-gap=7",
                                        "--state", "in.json", "--save-state=out.json"},
                                       error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_FALSE(o->help);
    EXPECT_EQ(o->linkPath, "/tmp/tz");
    EXPECT_EQ(o->seed, 42u);
    EXPECT_EQ(o->replyDelayMs, 15);
    EXPECT_EQ(o->baudRate, 115200);
    EXPECT_DOUBLE_EQ(o->dropReply, 0.25);
    EXPECT_DOUBLE_EQ(o->corruptChecksum, 0.5);
    EXPECT_DOUBLE_EQ(o->splitReply, 1.0);
    EXPECT_EQ(o->maxPieces, 3);
    EXPECT_EQ(o->pieceGapMs, 7);
    EXPECT_EQ(o->statePath, "in.json");
    EXPECT_EQ(o->saveStatePath, "out.json");
}

TEST(SimHostOptionsTest, NoArguments_Defaults) {
    std::string error;
    const auto o = ParseSimHostOptions({}, error);
    ASSERT_TRUE(o.has_value());
    EXPECT_EQ(o->seed, 1u);
    EXPECT_EQ(o->baudRate, 0);
    EXPECT_TRUE(o->linkPath.empty());
}

TEST(SimHostOptionsTest, Help_Recognised) {
    std::string error;
    EXPECT_TRUE(ParseSimHostOptions({"--help"}, error)->help);
    EXPECT_TRUE(ParseSimHostOptions({"-h"}, error)->help);
    EXPECT_TRUE(ParseSimHostOptions({"--version"}, error)->version);
    EXPECT_NE(SimHostUsage().find("--baud"), std::string::npos);
}

TEST(SimHostOptionsTest, Malformed_RefusedNamingTheOption) {
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--drop", "1.5"}, "--drop"},       {{"--drop", "x"}, "--drop"},
        {{"--corrupt", "-0.1"}, "--corrupt"}, {{"--delay", "-1"}, "--delay"},
        {{"--baud", "fast"}, "--baud"},      {{"--seed", "4294967296"}, "--seed"},
        {{"--max-pieces", "1"}, "--max-pieces"}, {{"--link"}, "--link"},
        {{"--link="}, "--link"},             {{"--bogus"}, "--bogus"},
        {{"stray"}, "stray"},                {{"--delay", "5ms"}, "--delay"},
        {{"--state"}, "--state"},            {{"--save-state="}, "--save-state"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseSimHostOptions(c.args, error).has_value()) << c.args[0];
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tz
