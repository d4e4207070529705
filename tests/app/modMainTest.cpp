#include <gtest/gtest.h>

#include "app/modMain.h"
#include "instrument/InstrumentSettings.h"

namespace tz {

struct SwitchCase {
    std::vector<std::string> arguments;
    bool debug;
    bool factory;
};

TEST(ParseSwitches, CommandLines_SetTheFlagsTheyHold) {
    const SwitchCase cases[] = {
        {{}, false, false},
        {{""}, false, false},
        {{"-DEBUG"}, true, false},
        {{"-SEIZO"}, false, true},
        {{"-seizo", "-debug"}, true, true},
        {{"-debug", "-seizo"}, true, true},
        {{"-Debug-Seizo"}, true, true},
        {{"-SEIZOX"}, false, true},             // inside a longer word
        {{"x-debugger"}, true, false},
        {{"DEBUG", "SEIZO"}, false, false},     // the dash belongs to the switch
        {{"-DE", "BUG"}, false, false},         // arguments are joined with a space
        {{"-SEIZ", "O"}, false, false},
        {{"file.txt", "--verbose"}, false, false},
    };
    for (const SwitchCase& c : cases) {
        const CommandLineSwitches found = ParseSwitches(c.arguments);
        std::string shown;
        for (const auto& a : c.arguments) shown += "[" + a + "]";
        EXPECT_EQ(found.Debug, c.debug) << shown;
        EXPECT_EQ(found.Factory, c.factory) << shown;
    }
}

class ProgramStateTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }
    void TearDown() override { ResetProgram(); }
};

TEST_F(ProgramStateTest, ApplyStartup_SetsModesFontAndPassword) {
    ProgramState& p = Program();
    p.ProgramPassword = "other";
    p.PasswordAccepted = true;
    p.ProgramFont.Name = "Arial";
    p.ProgramFont.Size = 12;
    ApplyStartup(p, {"-seizo"});
    EXPECT_FALSE(p.DebugMode);
    EXPECT_TRUE(p.FactoryMode);
    EXPECT_EQ(p.ProgramPassword, "8640");
    EXPECT_FALSE(p.PasswordAccepted);
    EXPECT_EQ(p.ProgramFont.Name, "MS UI Gothic");
    EXPECT_EQ(p.ProgramFont.Size, 9.0f);
    EXPECT_TRUE(SharedInstrumentSettings().FactoryMode);
}

TEST_F(ProgramStateTest, ApplyStartup_ClearsDebugButNeverClearsFactoryMode) {
    ProgramState& p = Program();
    p.DebugMode = true;
    p.FactoryMode = true;
    ApplyStartup(p, {"plain"});
    EXPECT_FALSE(p.DebugMode);
    EXPECT_TRUE(p.FactoryMode);
}

TEST_F(ProgramStateTest, ResetProgram_RestoresStartValuesAndInstrumentCopies) {
    Program().ProgramPassword = "changed";
    Program().Timeout = 9;
    Program().DefaultRecord.GasName(0, "CH4");
    SharedInstrumentSettings().ConvParam = 0.7f;
    ResetProgram();
    EXPECT_EQ(Program().ProgramPassword, "8640");
    EXPECT_EQ(Program().Timeout, 0);
    EXPECT_EQ(Program().DefaultRecord.GasName(0), "");
    EXPECT_EQ(SharedInstrumentSettings().ConvParam, InstrumentSettings{}.ConvParam);
}

TEST_F(ProgramStateTest, SyncInstrumentSettings_OnlyFollowsTheProgramsOwnState) {
    ProgramState other;
    other.FactoryMode = true;
    other.ConvParam.Factor = 0.5f;
    SyncInstrumentSettings(other);
    EXPECT_FALSE(SharedInstrumentSettings().FactoryMode);

    Program().ConvParam.Factor = 0.05f;
    SyncInstrumentSettings(Program());
    EXPECT_EQ(SharedInstrumentSettings().ConvParam, 0.05f);
}

}  // namespace tz
