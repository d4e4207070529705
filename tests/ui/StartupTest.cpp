// The start of the desktop program: single instance, switches, splash, password window and the
// hand-over to the main window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <sys/wait.h>
#include <unistd.h>

#include "UiTestRig.h"
#include "app/WindowTexts.h"
#include "cli/ProcessRunner.h"
#include "ui/common/frmOpen.h"
#include "ui/common/frmPassword.h"
#include "ui/main/ProgramStart.h"

namespace tz::ui {
namespace {

using namespace tz::test;

class StartupTest : public ::testing::Test {
protected:
    // Main with the splash left to close by itself.
    StartResult Start(const std::vector<std::string>& arguments = {}) {
        rig.modal.Expect("frmOpen", [this](QDialog&) {
            busyDuringSplash = rig.dialogs.busy;
            rig.loop.RunFor(frmOpen::SplashMs);
        });
        return Main(rig.context, arguments, lock);
    }

    QDialog& PasswordWindow() { return Window<QDialog>("frmPassword"); }

    void EnterPassword(const std::string& text) {
        QDialog& window = PasswordWindow();
        TypeOver(Control<QLineEdit>(window, "txtPass"), text);
        Click(window, "cmdOK");
    }

    static bool AnyWindowOpen() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) return true;
        return false;
    }

    UiTestRig rig;
    SingleInstanceLock lock{QString::fromStdString(rig.folder.string())};
    bool busyDuringSplash = false;
};

TEST_F(StartupTest, Start_SplashWithBusyPointerThenPasswordWindow) {
    ASSERT_EQ(Start(), StartResult::Started);
    EXPECT_EQ(rig.modal.opened, std::vector<std::string>{"frmOpen"});
    EXPECT_TRUE(busyDuringSplash);
    EXPECT_EQ(rig.dialogs.busyChanges, (std::vector<bool>{true, false}));
    QDialog& window = PasswordWindow();
    EXPECT_EQ(window.windowTitle().toStdString(), "TZ-7300 - Setup Program");
    EXPECT_EQ(Control<QLabel>(window, "lblPass").text().toStdString(), "Please input password.");
    EXPECT_EQ(Control<QPushButton>(window, "cmdOK").text().toStdString(), "OK");
    EXPECT_EQ(Control<QPushButton>(window, "cmdCancel").text().toStdString(), "Cancel");
    EXPECT_EQ(Control<QLineEdit>(window, "txtPass").accessibleName().toStdString(), "Please input password.");
    EXPECT_EQ(Program().ProgramPassword, "8640");
    EXPECT_FALSE(Program().PasswordAccepted);
    EXPECT_EQ(rig.context.MainWindow(), nullptr);
    EXPECT_TRUE(lock.Held());
}

TEST_F(StartupTest, WrongPasswordThenRightOne_OpensTheMainWindow) {
    ASSERT_EQ(Start(), StartResult::Started);
    rig.dialogs.Answer(MsgAnswer::Ok, "Incorrect Password Entered");
    EnterPassword("8641");
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "Password");
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(Control<QLineEdit>(PasswordWindow(), "txtPass").text().toStdString(), "8641")
        << "the window stays open with the typed text";
    EXPECT_EQ(rig.context.MainWindow(), nullptr);

    EnterPassword("8640");
    EXPECT_TRUE(Program().PasswordAccepted);
    auto& main = Window<QMainWindow>("frmMain");
    EXPECT_EQ(&main, rig.context.MainWindow());
    EXPECT_EQ(main.windowTitle().toStdString(), "TZ-7300 - Setup Program [P.No.05683]");
    EXPECT_EQ(FindFormByName("frmPassword"), nullptr) << "no question when the password was right";
}

TEST_F(StartupTest, PasswordOfLetters_AcceptedInAnyLetterCase) {
    Program().ProgramPassword = "Tolba";
    for (const char* typed : {"tolba", "TOLBA", "tOLbA"}) {
        Program().PasswordAccepted = false;
        auto* window = new frmPassword(rig.context);
        ShowForm(*window);
        EnterPassword(typed);
        EXPECT_TRUE(Program().PasswordAccepted) << typed;
        EXPECT_FALSE(window->isVisible()) << typed;
        UiTestRig::DeleteClosedWindows();
    }
    EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST_F(StartupTest, EmptyPassword_AcceptedOnlyWhenTheProgramPasswordIsEmpty) {
    ASSERT_EQ(Start(), StartResult::Started);
    rig.dialogs.Answer(MsgAnswer::Ok, "Incorrect Password Entered");
    EnterPassword("");
    EXPECT_FALSE(Program().PasswordAccepted);

    Program().ProgramPassword = "";
    auto* window = new frmPassword(rig.context);
    ShowForm(*window);
    Click(*window, "cmdOK");
    EXPECT_TRUE(Program().PasswordAccepted);
}

TEST_F(StartupTest, Cancel_AsksEndNoKeepsTheWindowYesEndsWithoutMainWindow) {
    ASSERT_EQ(Start(), StartResult::Started);
    rig.dialogs.Answer(MsgAnswer::No, "End ?");
    Click(PasswordWindow(), "cmdCancel");
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "TZ-7300");
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(PasswordWindow().isVisible());

    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    Click(PasswordWindow(), "cmdCancel");
    EXPECT_EQ(FindFormByName("frmPassword"), nullptr);
    EXPECT_EQ(rig.context.MainWindow(), nullptr);
    EXPECT_FALSE(AnyWindowOpen()) << "with no window left the program ends";
}

TEST_F(StartupTest, CloseBoxAndEscape_AskLikeCancel) {
    ASSERT_EQ(Start(), StartResult::Started);
    rig.dialogs.Answer(MsgAnswer::No, "End ?");
    EXPECT_FALSE(PasswordWindow().close());
    rig.dialogs.Answer(MsgAnswer::No, "End ?");
    QTest::keyClick(&Control<QLineEdit>(PasswordWindow(), "txtPass"), Qt::Key_Escape);
    EXPECT_TRUE(PasswordWindow().isVisible());
    rig.dialogs.Answer(MsgAnswer::Yes, "End ?");
    EXPECT_TRUE(PasswordWindow().close());
    EXPECT_FALSE(AnyWindowOpen());
    EXPECT_EQ(rig.dialogs.boxes.size(), 3u);
}

TEST_F(StartupTest, SecondCopy_RefusedWithMessage99AndNoWindow) {
    SingleInstanceLock running{QString::fromStdString(rig.folder.string())};
    ASSERT_EQ(running.TryAcquire(), SingleInstanceLock::Result::Acquired);
    rig.dialogs.Answer(MsgAnswer::Ok, "It has already started.");
    EXPECT_EQ(Main(rig.context, {"-DEBUG"}, lock), StartResult::AlreadyRunning);
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.dialogs.boxes[0].title, "TZ-7300 - Setup Program");
    EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(rig.modal.opened.empty());
    EXPECT_FALSE(AnyWindowOpen());
    EXPECT_FALSE(Program().DebugMode) << "the second copy ends before it reads its switches";
}

TEST_F(StartupTest, FirstCopyCrashed_ItsLockIsTakenOver) {
    const pid_t child = ::fork();
    if (child == 0) {
        SingleInstanceLock crashed{QString::fromStdString(rig.folder.string())};
        ::_exit(crashed.TryAcquire() == SingleInstanceLock::Result::Acquired ? 0 : 1);  // no unlock
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(lock.FilePath().toStdString())) << "the crashed copy left its lock";

    EXPECT_EQ(Start(), StartResult::Started);
    EXPECT_TRUE(lock.Held());
    EXPECT_NE(FindFormByName("frmPassword"), nullptr);
}

TEST_F(StartupTest, Switches_SetTheModesAndFactoryModeMarksTheMainWindowTitle) {
    ASSERT_EQ(Start({"-seizo", "x-Debugy"}), StartResult::Started);
    EXPECT_TRUE(Program().DebugMode);
    EXPECT_TRUE(Program().FactoryMode);
    EXPECT_EQ(Program().ProgramFont.Name, "MS UI Gothic");
    EXPECT_EQ(Program().ProgramFont.Size, 9.0f);
    EnterPassword("8640");
    EXPECT_EQ(Window<QMainWindow>("frmMain").windowTitle().toStdString(),
              "TZ-7300 - Setup Program [P.No.05683] <製造ｵﾌﾟｼｮﾝ>");
}

TEST_F(StartupTest, JapaneseTexts_PartNumber05006) {
    SetLanguage(Language::Japanese);
    ASSERT_EQ(Start(), StartResult::Started);
    EnterPassword("8640");
    EXPECT_EQ(Window<QMainWindow>("frmMain").windowTitle().toStdString(),
              LoadMessage(MainTitleMessage) + " [P.No.05006]");
}

TEST_F(StartupTest, MainWindowFactory_IsTheSeamTheHandOverGoesThrough) {
    int made = 0;
    rig.context.SetMainWindowFactory([&made](UiContext&) {
        ++made;
        auto window = std::make_unique<QMainWindow>();
        window->setObjectName("frmStandIn");
        return window;
    });
    ASSERT_EQ(Start(), StartResult::Started);
    EnterPassword("8640");
    EXPECT_EQ(made, 1);
    EXPECT_NE(FindFormByName("frmStandIn"), nullptr);
    EXPECT_EQ(FindFormByName("frmMain"), nullptr);
}

TEST(DesktopCommandLine, VersionAndHelp_PrintAndEndWithoutAWindow) {
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;
    };
    const Case cases[] = {
        {{"--version"}, "tz7300-setup "},
        {{"-debug", "--VERSION"}, "tz7300-setup "},
        {{"--Help"}, "Usage: tz7300-setup"},
        {{"x--helpx"}, "Usage: tz7300-setup"},
    };
    for (const Case& c : cases) {
        const auto result = cli::test::RunProgram(cli::test::BuiltProgram("src/ui/tz7300-setup"), c.arguments);
        EXPECT_EQ(result.code, 0) << c.arguments.back();
        EXPECT_EQ(result.out.rfind(c.expected, 0), 0u) << result.out;
        EXPECT_EQ(result.err, "") << c.arguments.back();
    }
}

}  // namespace
}  // namespace tz::ui
