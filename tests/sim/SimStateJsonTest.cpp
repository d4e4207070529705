// The simulated instrument's state as JSON: the round trip, a state loaded from JSON answering as
// the original, a real read replayed, and the clear refusal of a malformed state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "instrument/RecordJson.h"
#include "link/RecordCompare.h"
#include "link/SimLinkRig.h"
#include "sim/SimHarness.h"
#include "sim/SimStateJson.h"
#include "text/DateTime.h"

namespace tz::test {
namespace {

// A state away from the default in every part the JSON carries.
SimState ChangedState() {
    SimState s = DefaultSimState();
    s.model = "TZ-7300S";
    s.clock = *MakeDate({2026, 2, 28, 23, 59, 58});
    s.zeroCounts = {-5, 0x7FFF, 1, 2, 3, -32768};
    s.secondRangeFactor = {0.75f, 1.25f};
    s.hasSecondRangeFactor = {true, true};
    s.memorySeed = 12345;
    s.memory = MakeMemoryImage(s.memory.size(), s.memorySeed);
    s.listingBytes = 4096;
    s.record.SerialNo("TZ73B0099999");
    s.record.LcdBackLight(90);
    s.record.Warning(1, 19.0f);
    s.record.StationList(7, "TANK FARM T-0777");
    s.record.LimitValue(3, 17);
    s.record.AnalogValue(2, 2222);
    s.record.ClearChangeFlags();
    s.defaults.AlarmMode(2);  // the defaults kept apart from the settings in force
    s.defaults.ClearChangeFlags();
    return s;
}

void ExpectSameState(const SimState& a, const SimState& b) {
    EXPECT_EQ(RecordDifferences(a.record, b.record), std::vector<std::string>{});
    EXPECT_EQ(RecordDifferences(a.defaults, b.defaults), std::vector<std::string>{});
    EXPECT_EQ(a.model, b.model);
    EXPECT_EQ(a.clock, b.clock);
    EXPECT_EQ(a.zeroCounts, b.zeroCounts);
    EXPECT_EQ(a.secondRangeFactor, b.secondRangeFactor);
    EXPECT_EQ(a.hasSecondRangeFactor, b.hasSecondRangeFactor);
    EXPECT_EQ(a.memorySeed, b.memorySeed);
    EXPECT_TRUE(a.memory == b.memory);
    EXPECT_EQ(a.listingBytes, b.listingBytes);
}

TEST(SimStateJson, WrittenAndReadOntoADefaultState_GivesTheSameState) {
    const SimState source = ChangedState();
    const std::string text = SimStateToJson(source);
    SimState read = DefaultSimState();
    const SimStateJsonResult result = SimStateFromJson(text, read);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_TRUE(result.UnknownKeys.empty());
    ExpectSameState(read, source);
    EXPECT_EQ(SimStateToJson(read), text);
}

TEST(SimStateJson, TextIsTheRecordsFormPlusOneMember) {
    const SimState state = DefaultSimState();
    clsInstrument record;
    const RecordJsonResult asRecord = RecordFromJson(SimStateToJson(state), record);
    ASSERT_TRUE(asRecord.Ok) << asRecord.Error;
    EXPECT_EQ(asRecord.UnknownKeys, std::vector<std::string>{SimStateJsonKey});
    EXPECT_EQ(RecordDifferences(record, state.record), std::vector<std::string>{});
}

// Loaded from JSON, the instrument gives the same reply to every read as the one it was saved
// from.
class LoadedSim : public SimHarness {};

TEST_F(LoadedSim, AnswersEveryReadAsTheSavedInstrument) {
    sim.State() = ChangedState();
    const std::string original = EverythingReadable();
    const std::string text = SimStateToJson(sim.State());

    sim.State() = DefaultSimState();
    ASSERT_NE(EverythingReadable(), original);
    SimState loaded = DefaultSimState();
    ASSERT_TRUE(SimStateFromJson(text, loaded).Ok);
    sim.State() = loaded;
    EXPECT_EQ(EverythingReadable(), original);
}

// What a full read over the link leaves in the program's record.
clsInstrument ReadOver(const SimState& state) {
    SimLinkRig rig;
    rig.sim.State() = state;
    clsInstrument record;
    if (!rig.Connect() || !rig.link.GetInstrument(&record)) ADD_FAILURE() << "the read failed";
    return record;
}

TEST(SimStateJson, ReadOfAnInstrumentReplayed_ReadsBackTheSameRecord) {
    SimState instrument = ChangedState();
    instrument.hasSecondRangeFactor = {true, false};  // channel 6 has no second range
    const clsInstrument read = ReadOver(instrument);
    // The read's JSON alone, as `read --json` writes it: the clock and the factors come from it.
    SimState replay = DefaultSimState();
    const SimStateJsonResult result = SimStateFromJson(RecordToJson(read), replay);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(replay.clock, instrument.clock);
    EXPECT_EQ(replay.secondRangeFactor[0], 0.75f);
    EXPECT_FALSE(replay.hasSecondRangeFactor[1]);
    EXPECT_EQ(RecordDifferences(replay.defaults, replay.record), std::vector<std::string>{});

    const clsInstrument again = ReadOver(replay);
    EXPECT_EQ(ReadValueDifferences(again, read), std::vector<std::string>{});
    EXPECT_EQ(again.SysDate(), read.SysDate());
}

TEST(SimStateJson, PartialText_ChangesOnlyWhatItNames) {
    SimState state = DefaultSimState();
    const SimState before = state;
    const SimStateJsonResult result =
        SimStateFromJson(R"({"LcdBackLight": 12, "SimState": {"ZeroCounts": [1, 2, 3, 4, 5, 6]}})", state);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(state.record.LcdBackLight(), 12);
    EXPECT_FALSE(state.record.Change_LcdBackLight());  // an instrument's record carries no flags
    EXPECT_EQ(state.zeroCounts, (std::array<Integer, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(state.clock, before.clock);
    EXPECT_EQ(state.secondRangeFactor, before.secondRangeFactor);
    EXPECT_EQ(state.defaults.LcdBackLight(), 12);  // no defaults named: the loaded settings
}

TEST(SimStateJson, UnknownKeys_ReportedAndIgnored) {
    SimState state = DefaultSimState();
    const SimStateJsonResult result = SimStateFromJson(
        R"({"LcdBacklight": 1, "SimState": {"Colck": 0, "Defaults": {"Alarmmode": 2}}})", state);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.UnknownKeys, (std::vector<std::string>{"LcdBacklight", "SimState.Defaults.Alarmmode",
                                                            "SimState.Colck"}));
}

struct BadState {
    const char* name;
    std::string text;
    std::string errorPart;  // the error must say what and where
};

class MalformedState : public ::testing::TestWithParam<BadState> {};

TEST_P(MalformedState, Refused_StateUntouched) {
    SimState state = ChangedState();
    const std::string before = SimStateToJson(state);
    const SimStateJsonResult result = SimStateFromJson(GetParam().text, state);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find(GetParam().errorPart), std::string::npos) << result.Error;
    EXPECT_EQ(SimStateToJson(state), before);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedState,
    ::testing::Values(
        BadState{"TruncatedJson", "{\n  \"LcdBackLight\": 12,\n", "line 3"},
        BadState{"NotAnObject", "[1, 2]", "not a JSON object"},
        BadState{"RecordValueOfWrongKind", R"({"LcdBackLight": "bright"})", "LcdBackLight"},
        BadState{"SectionNotAnObject", R"({"SimState": 5})", "\"SimState\": expected an object"},
        BadState{"ZeroCountsTooShort", R"({"SimState": {"ZeroCounts": [1, 2]}})", "\"ZeroCounts\": expected an array of 6"},
        BadState{"ZeroCountOutOfRange", R"({"SimState": {"ZeroCounts": [1, 2, 3, 4, 5, 40000]}})", "entry 5"},
        BadState{"ClockNotADate", R"({"SimState": {"Clock": "yesterday"}})", "\"Clock\""},
        BadState{"FactorNotANumber", R"({"SimState": {"SecondRangeFactors": [true, null]}})", "\"SecondRangeFactors\": entry 0"},
        BadState{"NegativeSeed", R"({"SimState": {"MemorySeed": -1}})", "\"MemorySeed\""},
        BadState{"ListingBeyondMemory", R"({"SimState": {"ListingBytes": 2000000}})", "\"ListingBytes\""},
        BadState{"ModelWithSeparator", R"({"SimState": {"Model": "TZ,7300"}})", "\"Model\""},
        BadState{"DefaultsOfWrongKind", R"({"SimState": {"Defaults": {"AlarmMode": []}}})", "\"Defaults\": \"AlarmMode\""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Files ----

class SimStateFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("tz7300-simstate-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::filesystem::path folder_;
};

TEST_F(SimStateFile, SavedOverAnOldFileAndLoaded_GivesTheSameStateAndNoLeftovers) {
    const auto file = folder_ / "state.json";
    std::ofstream(file) << std::string(500000, 'x');  // an old, longer file
    std::string error;
    ASSERT_TRUE(SaveSimStateFile(file, ChangedState(), error)) << error;
    SimState loaded = DefaultSimState();
    const SimStateJsonResult result = LoadSimStateFile(file, loaded);
    ASSERT_TRUE(result.Ok) << result.Error;
    ExpectSameState(loaded, ChangedState());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(SimStateFile, MissingFileOrFolder_ClearErrors) {
    SimState state = DefaultSimState();
    EXPECT_EQ(LoadSimStateFile(folder_ / "none.json", state).Error, "no such file");
    EXPECT_EQ(LoadSimStateFile(folder_, state).Error, "not a regular file");
    std::string error;
    EXPECT_FALSE(SaveSimStateFile(folder_ / "no-folder" / "state.json", state, error));
    EXPECT_NE(error.find("no-folder"), std::string::npos) << error;
}

}  // namespace
}  // namespace tz::test
