// load, write-ids and set-clock against simulated instruments, and the read-back comparison.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliText.h"

#include "cli/CliTestRig.h"
#include "cli/WriteCommandSupport.h"
#include "cli/WriteVerify.h"
#include "instrument/SettingsFile.h"
#include "instrument/UpdateChecks.h"
#include "instrument/WritePayloads.h"
#include "link/WritePlan.h"
#include "text/DateTime.h"

namespace tz::cli::test {
namespace {

using tz::testing::FileTestFolder;
using tz::testing::ReadWholeFile;

// The default simulated instrument, whose levels pass the checks of "Update", with its present
// settings as its factory defaults.
SimState WritableInstrument() {
    SimState state = DefaultSimState();
    state.defaults = state.record;
    return state;
}

// A second instrument: another identity and other settings than the first.
SimState OtherInstrument() {
    SimState state = WritableInstrument();
    clsInstrument& r = state.record;
    r.SerialNo("TZ73B0099999");
    r.StationID("PUMP HOUSE 2");
    r.Warning(3, 35);
    r.Alarm(3, 100);
    r.LcdBackLight(r.LcdBackLight() == 0 ? 1 : 0);
    r.Intervals(60);
    state.defaults = r;
    return state;
}

TEST(WriteFixtures, BothInstruments_PassTheChecksOfUpdate) {
    for (const SimState& state : {WritableInstrument(), OtherInstrument()}) {
        const UpdateCheckResult check = CheckUpdate(state.record, WriteKind::Settings, false);
        EXPECT_FALSE(check.Refused()) << RefusalText(check, state.record);
    }
}

class WriteCommands : public ::testing::Test {
protected:
    SimEnvironment first{WritableInstrument()};
    SimEnvironment second{OtherInstrument()};
    FileTestFolder folder;

    CliResult Run(SimEnvironment& env, std::vector<std::string> args) {
        return RunTz(env, folder.Path(), std::move(args));
    }
    std::string SavedFrom(SimEnvironment& env, const std::string& name) {
        const std::string file = (folder / name).string();
        EXPECT_EQ(Run(env, {"save", file}).code, 0);
        return file;
    }
    static std::string Settings(const SimEnvironment& env) { return SettingsFileText(env.sim.State().record); }
    static int Writes(const SimEnvironment& env) {
        int n = 0;
        for (const std::string& body : env.sim.ReceivedCommands()) n += body.find(",W,") == 2;
        return n;
    }
    std::vector<std::filesystem::path> Backups() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            if (entry.path().filename().string().rfind("backup_", 0) == 0) found.push_back(entry.path());
        return found;
    }
};

TEST_F(WriteCommands, SaveThenLoadIntoSecondInstrument_SettingsEqualIdentityKept_BackupRestoresFormer) {
    const std::string file = SavedFrom(first, "first.seq");
    const std::string formerSettings = Settings(second);
    ASSERT_NE(formerSettings, Settings(first));

    const CliResult load = Run(second, {"--yes", "load", file});
    ASSERT_EQ(load.code, 0) << load.err << load.out;

    EXPECT_EQ(Settings(second), Settings(first));
    EXPECT_EQ(second.sim.State().record.SerialNo(), "TZ73B0099999");
    EXPECT_EQ(second.sim.State().record.StationID(), "PUMP HOUSE 2");
    EXPECT_NE(load.out.find("Upload Complete."), std::string::npos);

    const std::vector<std::filesystem::path> backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(load.out.find(backups[0].string()), std::string::npos);
    clsInstrument restored = second.sim.State().record;
    LoadSettingsFile(restored, backups[0]);
    EXPECT_EQ(SettingsFileText(restored), formerSettings);

    const CliResult diff = Run(second, {"diff", file});
    EXPECT_EQ(diff.code, 0) << diff.out;
    const std::string report = ReadWholeFile(folder / "TZ7300_Setting.csv");
    EXPECT_NE(report.find("\r\nWrite,"), std::string::npos);
}

TEST_F(WriteCommands, LoadAsDefault_InstrumentKeepsTheSettingsAsItsDefaults) {
    const std::string file = SavedFrom(first, "first.seq");
    ASSERT_EQ(Run(second, {"--yes", "load", "--as-default", "--no-backup", file}).code, 0);
    EXPECT_EQ(second.sim.State().maintenance.factorySaves, 1);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(WriteCommands, LevelCheckRefuses_ExitThreeAndNothingWritten) {
    clsInstrument bad = second.sim.State().record;
    bad.Warning(2, 40);  // hydrogen sulphide warning beyond its limit
    const auto file = folder / "bad.seq";
    SaveSettingsFile(bad, file);
    const std::string before = Settings(second);
    const CliResult r = Run(second, {"--yes", "load", file.string()});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(Backups().empty());
    EXPECT_NE(r.err.find("Check warning and alarm value. (red color cells)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Channel 3 (H2S): warning"), std::string::npos) << r.err;
    EXPECT_EQ(Writes(second), 0);
    EXPECT_EQ(Settings(second), before);
}

// A load that writes nothing leaves no backup behind, whether or not one was asked for.
TEST_F(WriteCommands, LoadWithoutYesAndWithoutTerminal_RefusedBeforeWritingNoBackup) {
    const std::string file = SavedFrom(first, "first.seq");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"load", "--no-backup", file},
                                                 std::vector<std::string>{"load", file}}) {
        const CliResult r = Run(second, args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("--yes"), std::string::npos);
        EXPECT_EQ(Writes(second), 0);
        EXPECT_TRUE(Backups().empty()) << r.out;
    }
}

TEST_F(WriteCommands, LoadAnsweredNoAtTerminal_NothingWrittenNoBackupExitFour) {
    const std::string file = SavedFrom(first, "first.seq");
    const std::string no = "n\n";
    const CliResult r = RunTz(second, folder.Path(), {"load", file}, &no);
    EXPECT_EQ(r.code, 4);
    EXPECT_NE(r.err.find("Update Ready? [y/N]"), std::string::npos) << r.err;
    EXPECT_EQ(Writes(second), 0);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(WriteCommands, TwoLoadsInTheSameSecond_EachKeepsItsOwnBackup) {
    const std::string file = SavedFrom(first, "first.seq");
    const std::string formerSettings = Settings(second);
    const CliResult firstLoad = Run(second, {"--yes", "load", file});
    ASSERT_EQ(firstLoad.code, 0) << firstLoad.err;
    const CliResult secondLoad = Run(second, {"--yes", "load", file});
    ASSERT_EQ(secondLoad.code, 0) << secondLoad.err;
    const std::vector<std::filesystem::path> backups = Backups();
    ASSERT_EQ(backups.size(), 2u);
    // The first backup still holds the settings from before the first load.
    const bool firstKept = std::any_of(backups.begin(), backups.end(), [&](const std::filesystem::path& p) {
        clsInstrument restored = second.sim.State().record;
        LoadSettingsFile(restored, p);
        return SettingsFileText(restored) == formerSettings && firstLoad.out.find(p.string()) != std::string::npos;
    });
    EXPECT_TRUE(firstKept);
}

// A level that is not a number is a fault of the file, not "no value": nothing reaches the
// instrument, not even a read.
TEST_F(WriteCommands, LoadMalformedFile_ExitTwoNamingTheLineWithoutReading) {
    for (const char* badLine : {"AP,W,99999,", "A2,W,   6O, 17.5,*****,  100, 20.0,*****,L,H,",
                                "A1,W,   20, 19.0,  2.5,   35,  abc,*****,H,H,", "SA,W,   50,"}) {
        const auto file = folder / "bad.seq";
        std::ofstream(file) << "AT,W,1,\r\n" << badLine << "\r\n";
        const CliResult r = Run(second, {"--yes", "load", file.string()});
        EXPECT_EQ(r.code, 2) << badLine;
        EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(file.string()), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("Upload Complete"), std::string::npos) << r.out;
        EXPECT_TRUE(second.sim.ReceivedCommands().empty()) << badLine;
    }
}

TEST_F(WriteCommands, WriteRefusedByInstrument_ExitOne) {
    const std::string file = SavedFrom(first, "first.seq");
    SimFaults faults;
    faults.refused = {"A1,W"};
    second.sim.SetFaults(faults);
    const CliResult r = Run(second, {"--yes", "--retry", "1", "load", "--no-backup", file});
    EXPECT_EQ(r.code, 1) << r.err;
}

// What the writer is planned to send is what a whole load sends.
TEST_F(WriteCommands, PlannedWrites_AreTheSettingsAWholeLoadSends) {
    const std::string file = SavedFrom(first, "first.seq");
    clsInstrument record = second.sim.State().record;
    LoadSettingsFile(record, file);
    MarkForWrite(record, WriteKind::Settings);
    second.sim.ClearReceivedCommands();
    ASSERT_EQ(Run(second, {"--yes", "load", "--no-backup", file}).code, 0);
    std::vector<std::string> sent;
    for (const std::string& body : second.sim.ReceivedCommands()) {
        const std::string name = SettingWriteName(body);
        if (!name.empty() && name != "DW" && std::find(sent.begin(), sent.end(), name) == sent.end())
            sent.push_back(name);
    }
    EXPECT_EQ(PlannedWrites(record), sent);
}

// A load stopped part-way (interrupted, or the instrument refusing a command) says what was
// written, what was sent without a reply and what was not written, adds a report line, and names
// the backup with the command that restores it; that command does.
TEST_F(WriteCommands, LoadStoppedPartWay_SaysWhatWasWrittenAndHowToRestore) {
    const struct {
        bool interrupt;  // else the instrument refuses the command
        const char* at;
        int code;
        const char* written;
        const char* notWritten;
    } cases[] = {
        {true, "AS,W", 130, " A1 A2\n", "Not written: AW SA AP "},
        {false, "AP,W", 1, " AS AW SA\n", "Not written: SC XP "},
    };
    for (const auto& c : cases) {
        SimEnvironment target{OtherInstrument()};
        const std::string former = Settings(target);
        const std::string file = SavedFrom(first, "first.seq");
        std::filesystem::remove(folder / "TZ7300_Setting.csv");
        if (c.interrupt) {
            target.interrupt = [&target, at = std::string(c.at)] {
                const auto& got = target.sim.ReceivedCommands();
                return std::any_of(got.begin(), got.end(), [&](const std::string& b) { return b.rfind(at, 0) == 0; });
            };
        } else {
            SimFaults faults;
            faults.refused = {c.at};
            target.sim.SetFaults(faults);
        }
        const CliResult r = Run(target, {"--yes", "--retry", "1", "load", file});
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find("Sent, no reply (may or may not have been taken): " + std::string(c.at, 2) + "\n"),
                  std::string::npos)
            << r.err;
        const std::size_t written = r.err.find("Written: ");
        ASSERT_NE(written, std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.written, written), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.notWritten), std::string::npos) << r.err;
        EXPECT_NE(ReadWholeFile(folder / "TZ7300_Setting.csv").find("\r\nWrite,"), std::string::npos);

        const std::string marker = "to restore them:\n  ";
        const std::size_t restore = r.err.find(marker);
        ASSERT_NE(restore, std::string::npos) << r.err;
        const std::size_t start = restore + marker.size();
        const std::string command = r.err.substr(start, r.err.find('\n', start) - start);
        const std::string head = "tz7300 --port " + SimDevice + " --yes load ";
        ASSERT_EQ(command.rfind(head, 0), 0u) << command;
        target.interrupt = nullptr;
        target.sim.SetFaults(SimFaults{});
        const CliResult restored = Run(target, {"--yes", "load", "--no-backup", command.substr(head.size())});
        ASSERT_EQ(restored.code, 0) << restored.err;
        EXPECT_EQ(Settings(target), former);
        for (const auto& backup : Backups()) std::filesystem::remove(backup);
    }
}

TEST(WriteVerify, StoppedWrite_SplitsByWhatWasSentAndWhatCameLast) {
    const std::vector<std::string> planned = {"GJ", "A1", "A2", "XS 0001"};
    const struct {
        std::vector<std::string> sent;
        std::vector<std::string> written, unconfirmed, notWritten;
        bool closing;
    } cases[] = {
        {{"GJ,W,x", "A1,W,x", "A2,W,x", "A1,W,x"}, {"GJ", "A2"}, {"A1"}, {"XS 0001"}, false},
        {{"GJ,W,x", "A1,W,x", "A2,W,x", "XS,W,0001,NAME", "DW,W,"}, {"GJ", "A1", "A2", "XS 0001"}, {}, {}, true},
        {{}, {}, {}, planned, false},
    };
    for (const auto& c : cases) {
        const StoppedWrite split = SplitStoppedWrite(planned, c.sent);
        EXPECT_EQ(split.written, c.written);
        EXPECT_EQ(split.unconfirmed, c.unconfirmed);
        EXPECT_EQ(split.notWritten, c.notWritten);
        EXPECT_EQ(split.closingUnconfirmed, c.closing);
    }
}

TEST(WriteVerify, ReadBackDiffers_NamesTheCommandWithBothPayloads) {
    clsInstrument written = DefaultSimState().record;
    clsInstrument readBack = written;
    readBack.Warning(3, 30);
    const std::vector<std::string> sent = {WriteBody("A1", WritePayload("A1", written)),
                                           WriteBody("A2", WritePayload("A2", written)),
                                           WriteBody("XS", StationListPayload(written, 31)), "DW,W,"};
    const std::vector<WriteMismatch> mismatches = CompareWithReadBack(sent, readBack);
    ASSERT_EQ(mismatches.size(), 1u);
    EXPECT_EQ(mismatches[0].command, "A1");
    EXPECT_EQ(mismatches[0].written, WritePayload("A1", written));
    EXPECT_EQ(mismatches[0].readBack, WritePayload("A1", readBack));

    readBack = written;
    readBack.StationList(31, "ELSEWHERE");
    const std::vector<WriteMismatch> list = CompareWithReadBack(sent, readBack);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].command, "XS 001F");
}

TEST_F(WriteCommands, WriteIds_UpperCasedIdentifiersReachTheInstrumentAndTheReport) {
    const CliResult r = Run(first, {"--yes", "write-ids", "--station", "north-1", "--user", "ab 12"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Trim(first.sim.State().record.StationID()), "NORTH-1");
    EXPECT_EQ(Trim(first.sim.State().record.UserID()), "AB 12");
    EXPECT_NE(ReadWholeFile(folder / "TZ7300_Setting.csv").find("\r\nWriteID,"), std::string::npos);
}

TEST_F(WriteCommands, WriteIds_BadIdentifiers_ExitTwoBeforeReading) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"write-ids"}, {"write-ids", "--station", "ABCDEFGHIJKLMNOPQ"},
          {"write-ids", "--user", "A/B"}, {"write-ids", "--serial", "TOO-LONG-SERIAL-NUMBER-1"}}) {
        std::vector<std::string> all = {"--yes"};
        all.insert(all.end(), args.begin(), args.end());
        EXPECT_EQ(Run(first, all).code, 2) << args.back();
    }
    EXPECT_TRUE(first.sim.ReceivedCommands().empty());
}

TEST_F(WriteCommands, SetClock_GivenTimeReachesTheInstrument) {
    const CliResult r = Run(first, {"--yes", "set-clock", "2026/03/05 14:07:09"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(FormatGeneralDate(first.sim.State().clock), "2026/03/05 14:07:09");
}

TEST_F(WriteCommands, SetClock_WithoutTime_UsesThePresentTime) {
    ASSERT_EQ(Run(first, {"--yes", "set-clock"}).code, 0);
    EXPECT_NEAR(first.sim.State().clock, first.loop.Now(), 5.0 / 86400);
}

TEST_F(WriteCommands, SetClock_BadTime_ExitTwoNothingSent) {
    for (const char* text : {"yesterday", "2026/02/30 10:00:00", "1999/12/31 23:59:59"})
        EXPECT_EQ(Run(first, {"--yes", "set-clock", text}).code, 2) << text;
    EXPECT_TRUE(first.sim.ReceivedCommands().empty());
}

}  // namespace
}  // namespace tz::cli::test
