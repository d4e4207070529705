// The splash window and the progress window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "UiTestRig.h"
#include "ui/common/frmOpen.h"
#include "ui/common/frmUpload.h"

namespace tz::ui {
namespace {

using namespace tz::test;

class SplashTest : public ::testing::Test {
protected:
    // Opens the splash through the modal seam; the script runs while it is open.
    void OpenSplash(std::function<void(QDialog&)> script) {
        frmOpen splash(rig.context);
        rig.modal.Expect("frmOpen", std::move(script));
        rig.context.Modal().RunModal(splash);
    }
    UiTestRig rig;
};

TEST_F(SplashTest, ClosesItself2500msAfterItLoaded) {
    OpenSplash([this](QDialog& splash) {
        auto& timer = static_cast<frmOpen&>(splash).tmrTimer();
        EXPECT_TRUE(timer.Enabled());
        EXPECT_EQ(timer.Interval(), 2500);
        rig.loop.RunFor(2499);
        EXPECT_TRUE(splash.isVisible());
        rig.loop.RunFor(1);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(timer.Enabled());
    });
}

TEST_F(SplashTest, TextsByLanguage_PartNumberAndMakerWording) {
    struct Case {
        Language language;
        const char* version;
        const char* company;
    };
    for (const Case c : {Case{Language::English, "P.No.05683", "TZ-7300 Instruments"},
                         Case{Language::Japanese, "P.No.05006", "TZ-7300 Instruments (Japan)"}}) {
        SetLanguage(c.language);
        OpenSplash([this, c](QDialog& splash) {
            EXPECT_EQ(Control<QLabel>(splash, "lblTitle").text().toStdString(), "TZ-7300 Setup Program");
            EXPECT_EQ(Control<QLabel>(splash, "lblPCs").text().toStdString(), "for Windows");
            EXPECT_EQ(Control<QLabel>(splash, "lblVersion").text().toStdString(), c.version);
            EXPECT_EQ(Control<QLabel>(splash, "lblCompany").text().toStdString(), c.company);
            const QRect screen = splash.screen()->availableGeometry();
            EXPECT_NEAR(splash.frameGeometry().center().x(), screen.center().x(), 1);
            EXPECT_NEAR(splash.frameGeometry().center().y(), screen.center().y(), 1);
            rig.loop.RunFor(frmOpen::SplashMs);
        });
    }
}

TEST_F(SplashTest, DoubleClick_ShowsPauseAndHoldsTheSplashWhileTheBoxIsOpen) {
    OpenSplash([this](QDialog& splash) {
        rig.loop.RunFor(2000);
        rig.dialogs.Answer(MsgAnswer::Ok, "Pause!!");
        QTest::mouseDClick(&Control<QFrame>(splash, "fraOpen"), Qt::LeftButton);
        ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
        EXPECT_EQ(rig.dialogs.boxes[0].title, "Pause");
        EXPECT_EQ(rig.dialogs.boxes[0].icon, MsgIcon::Information);
        EXPECT_EQ(rig.dialogs.boxes[0].buttons, MsgButtons::Ok);
        // The box returned at 2000 ms; the splash shows its full time from there.
        rig.loop.RunFor(2499);
        EXPECT_TRUE(splash.isVisible());
        rig.loop.RunFor(1);
        EXPECT_FALSE(splash.isVisible());
    });
}

class ProgressTest : public ::testing::Test {
protected:
    frmUpload& Open(Integer mode) {
        Program().ProgressMode = mode;
        frmUpload& window = frmUpload::Load(rig.context);
        window.ShowWindow();
        return window;
    }
    static std::string Text(QWidget& window, const char* name) {
        return Control<QLabel>(window, name).text().toStdString();
    }
    UiTestRig rig;
};

TEST_F(ProgressTest, EachMode_ItsTitleMessageAndCancelButton) {
    struct Case {
        Integer mode;
        const char* text;
        bool cancel;
    };
    const Case cases[] = {
        {0, "Now Downloading", false},
        {1, "Now Downloading", true},  // every cancellable transfer is a download
        {3, "Adjusting Zero", false},
        {4, "Adjusting Span Settings.", false},
        {6, "Now Writing", false},
    };
    for (const Case& c : cases) {
        frmUpload& window = Open(c.mode);
        EXPECT_EQ(window.Mode(), c.mode);
        EXPECT_EQ(window.Title(), c.text) << c.mode;
        EXPECT_EQ(Text(window, "lblUpload"), c.text) << c.mode;
        auto& cancel = Control<QPushButton>(window, "cmdUpload");
        EXPECT_EQ(cancel.isVisible(), c.cancel) << c.mode;
        EXPECT_EQ(cancel.text().toStdString(), "Cancel");
        EXPECT_TRUE(Control<QProgressBar>(window, "amnUpload").isVisible());
        EXPECT_FALSE(window.isModal());
        EXPECT_EQ(window.parentWidget(), nullptr);
        // Closing discards it; the next use loads it afresh with the mode then in force.
        frmUpload::Unload();
        EXPECT_EQ(frmUpload::Instance(), nullptr);
        UiTestRig::DeleteClosedWindows();
    }
}

TEST_F(ProgressTest, OneWindowForTheProgram_TitleAndMessageAsTheCallerSetsThem) {
    frmUpload& window = Open(0);
    EXPECT_EQ(&frmUpload::Load(rig.context), &window);
    EXPECT_EQ(frmUpload::Instance(), &window);
    window.Title(LoadMessage(6056));
    window.Message("One more time !");
    EXPECT_EQ(window.windowTitle().toStdString(), "Download");
    EXPECT_EQ(Text(window, "lblUpload"), "One more time !");
}

TEST_F(ProgressTest, Timer_Ticks500msWhileOpenAndStopsOnClose) {
    QPointer<frmUpload> window = &Open(0);
    EXPECT_TRUE(window->tmrInter().Enabled());
    EXPECT_EQ(window->tmrInter().Interval(), 500);
    rig.loop.RunFor(1500);  // ticks run without harm
    EXPECT_TRUE(window->close());
    ASSERT_FALSE(window.isNull()) << "deleted only once the loop takes its deferred deletes";
    EXPECT_FALSE(window->tmrInter().Enabled());
    UiTestRig::DeleteClosedWindows();
    EXPECT_TRUE(window.isNull());
}

// The main window's part during a transfer: each DumpMessage goes to the progress window.
class ProgressForwarder : public ILinkListener {
public:
    void DumpMessage(const std::string& message) override {
        frmUpload* window = frmUpload::Instance();
        if (!window) return;
        window->Message(message);
        shown.push_back(window->Message() == message);
        if (onMessage) onMessage(message);
    }
    std::vector<bool> shown;
    std::function<void(const std::string&)> onMessage;
};

TEST_F(ProgressTest, CancelDuringADownload_StopsTheLinkOnceAndLogsIt) {
    ASSERT_TRUE(rig.Connect());
    ProgressForwarder forwarder;
    rig.Link().SetListener(&forwarder);
    frmUpload& window = Open(1);
    int blockMessages = 0;
    forwarder.onMessage = [&](const std::string& message) {
        if (message.rfind("Get FLASH Image ", 0) == 0 && ++blockMessages == 3) Click(window, "cmdUpload");
    };

    const std::filesystem::path image = rig.folder / "TZ7300.DAT";
    Integer first = 0;
    Integer last = uclTzif::DumpBlockCount - 1;
    EXPECT_FALSE(rig.Link().GetBinDump(image.string(), first, last));

    EXPECT_TRUE(rig.Link().Cancel());
    EXPECT_FALSE(std::filesystem::exists(image));
    int blocksAsked = 0;
    for (const std::string& command : rig.sim.ReceivedCommands()) blocksAsked += command.rfind("EP,R", 0) == 0;
    EXPECT_LT(blocksAsked, 10) << "the dump ended soon after Cancel";
    const auto userCancelLines = [this] {
        return std::count_if(rig.logLines.begin(), rig.logLines.end(),
                             [](const std::string& line) { return line.find("= User Cancel =") != std::string::npos; });
    };
    EXPECT_EQ(userCancelLines(), 1);
    auto& cancel = Control<QPushButton>(window, "cmdUpload");
    EXPECT_FALSE(cancel.isEnabled());
    Click(cancel);  // disabled: a second cancel is not possible
    EXPECT_EQ(userCancelLines(), 1);
    ASSERT_FALSE(forwarder.shown.empty());
    for (const bool ok : forwarder.shown) EXPECT_TRUE(ok) << "each dump message shows at once";
    rig.Link().SetListener(nullptr);
}

TEST_F(ProgressTest, CancelButton_SaysNowCancelProcessing) {
    rig.Link();
    frmUpload& window = Open(1);
    Click(window, "cmdUpload");
    EXPECT_EQ(Text(window, "lblUpload"), "Now Cancel Processing");
    EXPECT_TRUE(rig.Link().Cancel());
    EXPECT_TRUE(rig.Logged("= User Cancel ="));
}

}  // namespace
}  // namespace tz::ui
