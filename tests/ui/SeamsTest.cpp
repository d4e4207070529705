// The window seams themselves: the scripted dialogs and modal runner fail loudly on what was not
// scripted, and the program's Qt implementations answer as the interface says.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "UiTestRig.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/QtDialogs.h"

namespace tz::ui {
namespace {

using namespace tz::test;

TEST(ScriptedDialogs, UnscriptedBox_FailsTheTestAndGetsTheEscapeAnswer) {
    ScriptedDialogs dialogs;
    MsgAnswer answer = MsgAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.MsgBox("End ?", "TZ-7300", MsgIcon::Question, MsgButtons::YesNo),
                            "unscripted message box [TZ-7300] \"End ?\"");
    EXPECT_EQ(answer, MsgAnswer::No);
    EXPECT_NONFATAL_FAILURE(dialogs.OpenFileDialog({"Open", "All files (*.*)|*.*|", 1, "", "", true, false}),
                            "unscripted open-file dialog");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
}

TEST(ScriptedDialogs, ScriptedAnswers_CheckTheTextAndTheButtons) {
    ScriptedDialogs dialogs;
    dialogs.Answer(MsgAnswer::Yes, "End");
    EXPECT_NONFATAL_FAILURE(dialogs.MsgBox("Update Ready?", "Update", MsgIcon::Question, MsgButtons::YesNo),
                            "where the script expected \"End\"");
    dialogs.Answer(MsgAnswer::Yes);
    EXPECT_NONFATAL_FAILURE(dialogs.MsgBox("Done", "", MsgIcon::Information, MsgButtons::Ok), "has no Yes button");
    dialogs.ChooseFile("/tmp/unit.seq").CancelFile();
    EXPECT_EQ(dialogs.SaveFileDialog({}), "/tmp/unit.seq");
    EXPECT_EQ(dialogs.OpenFileDialog({}), "");
    EXPECT_EQ(dialogs.Pending(), 0u);
}

class ModalSeamTest : public ::testing::Test, private UiAppGuard {};

// A window whose activation is counted, that closes itself when it is first activated.
class CountingDialog : public QDialog, public Form {
public:
    explicit CountingDialog(QWidget* parent = nullptr, bool closeOnActivation = false)
        : QDialog(parent), closeOnActivation_(closeOnActivation) {
        setObjectName("frmCounting");
    }
    int loads = 0;
    std::vector<bool> activations;

protected:
    void Form_Load() override { ++loads; }
    void Form_Activate(bool first) override {
        activations.push_back(first);
        if (closeOnActivation_ && first) accept();
    }

private:
    bool closeOnActivation_;
};

TEST_F(ModalSeamTest, ScriptedRunner_UnscriptedOrLeftOpenWindowFailsAndIsClosed) {
    ScriptedModalRunner runner;
    CountingDialog window;
    EXPECT_NONFATAL_FAILURE(runner.RunModal(window), "unscripted modal window frmCounting");
    EXPECT_FALSE(window.isVisible());
    runner.Expect("frmCounting", [](QDialog&) {});
    EXPECT_NONFATAL_FAILURE(runner.RunModal(window), "still open after its script");
    EXPECT_FALSE(window.isVisible());
    runner.Expect("frmOther", [](QDialog&) {});
    EXPECT_NONFATAL_FAILURE(runner.RunModal(window), "where frmOther was scripted");
    EXPECT_EQ(window.loads, 1) << "a window loads once";
}

TEST_F(ModalSeamTest, QtRunner_LoadsRunsActivationInTheModalLoopAndReactivatesTheOwner) {
    CountingDialog owner;
    owner.show();
    owner.ActivateForm();
    CountingDialog child(&owner, true);
    QtModalRunner runner;
    EXPECT_EQ(runner.RunModal(child), QDialog::Accepted);
    EXPECT_EQ(child.loads, 1);
    EXPECT_EQ(child.activations, std::vector<bool>{true});
    EXPECT_EQ(owner.activations, (std::vector<bool>{true, false})) << "the owner is active again";
}

TEST_F(ModalSeamTest, QtDialogs_MessageBoxWithItsIconTitleAndButtons) {
    QtDialogs dialogs;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.MsgBox("End ?", "TZ-7300", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(title.toStdString(), "TZ-7300");
    EXPECT_EQ(icon, QMessageBox::Question);

    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MsgBox("Failed", "Port Error.", MsgIcon::Stop, MsgButtons::OkCancel), MsgAnswer::Cancel);
}

TEST_F(ModalSeamTest, QtDialogs_SaveDialogListsTheFiltersPreselectsAndAddsTheExtension) {
    const std::filesystem::path folder = FreshTestFolder();
    QtDialogs dialogs;
    QStringList filters;
    QString selected;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->selectFile(QString::fromStdString((folder / "unit").string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request;
    request.filter = "All files (*.*)|*.*|Config Data (*.seq)|*.seq|";
    request.filterIndex = 2;
    request.fileName = "TZ7300.seq";
    request.overwritePrompt = true;
    request.mustExist = true;
    EXPECT_EQ(dialogs.SaveFileDialog(request), (folder / "unit.seq").string());
    EXPECT_EQ(filters, (QStringList{"All files (*)", "Config Data (*.seq)"}));
    EXPECT_EQ(selected.toStdString(), "Config Data (*.seq)");

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(dialogs.OpenFileDialog(request), "") << "a cancelled dialog gives no file";
    std::filesystem::remove_all(folder);
}

TEST_F(ModalSeamTest, QtDialogs_BusyPointerIsAStateNotACount) {
    {
        QtDialogs dialogs;
        dialogs.BusyPointer(true);
        dialogs.BusyPointer(true);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.BusyPointer(false);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        dialogs.BusyPointer(true);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is given back when the dialogs go";
}

}  // namespace
}  // namespace tz::ui
