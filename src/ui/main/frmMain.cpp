#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QUndoStack>
#include <QVBoxLayout>
#include <vector>

#include "app/ConfigFile.h"
#include "app/StartupDefaults.h"
#include "app/WindowTexts.h"
#include "instrument/MainWindowFields.h"
#include "instrument/SettingsFile.h"
#include "link/LoopDeleteWait.h"
#include "link/SerialLogRotation.h"
#include "link/uclTzif.h"
#include "platform/PortChoices.h"
#include "platform/SelectPort.h"
#include "text/DateTime.h"
#include "text/Catalogue.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"
#include "ui/common/frmUpload.h"
#include "ui/main/FactoryTools.h"
#include "ui/main/SettingsGrid.h"

namespace tz::ui {
namespace {

// The window's minimum size, 11640 x 10900 twips at 15 twips a pixel.
constexpr int MinWidth = 776;
constexpr int MinHeight = 727;

const LampColours Green{QColor(0, 255, 0), QColor(0, 192, 0)};
const LampColours Grey{QColor(160, 160, 160), QColor(128, 128, 128)};
const LampColours Red{QColor(254, 0, 0), QColor(192, 0, 0)};

const QColor Blue(0, 0, 255);
const QColor DarkBlue(0, 0, 192);
const QColor DarkGreen(0, 192, 0);
const QColor PaneRed(255, 0, 0);

// Catalogue texts of the Edit menu.
constexpr int MsgEditMenu = 30460;
constexpr int MsgUndo = 30461;
constexpr int MsgRedo = 30462;
constexpr int MsgCopy = 30463;
constexpr int MsgUndoWhat = 30464;
constexpr int MsgRedoWhat = 30465;
constexpr int MsgCopyTip = 30466;
constexpr int MsgConfigurationNotWritten = 30100;

std::string WithSeparator(std::string folder) {
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += '/';
    return folder;
}

QString IndexedName(const char* base, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(index);
}

QPushButton* Button(QWidget* parent, const QString& name, int message) {
    auto* button = new QPushButton(Msg(message), parent);
    NameControl(*button, name.toUtf8().constData(), button->text());
    button->setToolTip(button->text());
    return button;
}

}  // namespace

frmMain::frmMain(UiContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), tmrInter_(context.Loop()) {
    setObjectName(QStringLiteral("frmMain"));
    // Creation default, before the configuration file may replace it.
    ApplyCreationDefaults(context_.Program());
    link_ = std::make_unique<uclTzif>(context_.SerialPort(), context_.IrdaPort(), context_.Loop());
    link_->SetListener(this);
    context_.Link(link_.get());
    BuildControls();
    // The calibration, factory and debug commands connect their buttons themselves.
    new FactoryTools(*this, context_);
}

std::string& frmMain::CommandLinePort() {
    static std::string port;
    return port;
}

frmMain::~frmMain() {
    // The grid and its undo stack go with the window's children, after this object is gone;
    // what the stack says while it is cleared then must not reach the menu.
    if (vfgOption_) vfgOption_->UndoStack().disconnect(this);
    mnuEdit_ = nullptr;
    tmrInter_.Enabled(false);
    if (link_) {
        link_->TimerEnabled(false);
        link_->SetListener(nullptr);
    }
    if (context_.Link() == link_.get()) context_.Link(nullptr);
}

void frmMain::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QVBoxLayout(central);

    // Status: lamps and the information pane.
    fraTransStatus_ = new QGroupBox(central);
    NameControl(*fraTransStatus_, "fraTransStatus", Msg(5021));
    // The lamps beside the pane, the port choice under both: a long device name has the width.
    auto* statusGrid = new QGridLayout(fraTransStatus_);
    auto* lamps = new QGridLayout();
    for (int i = 0; i < 4; ++i) {
        shpStatus_[i] = new QFrame(fraTransStatus_);
        shpStatus_[i]->setFixedSize(18, 18);
        lblStatus_[i] = new QLabel(fraTransStatus_);
        lamps->addWidget(shpStatus_[i], i, 0);
        lamps->addWidget(lblStatus_[i], i, 1);
    }
    auto* portRow = new QHBoxLayout();
    lblPort_ = new QLabel(Msg(30103), fraTransStatus_);
    lblPort_->setObjectName(QStringLiteral("lblPort"));
    cmbPort_ = new QComboBox(fraTransStatus_);
    NameControl(*cmbPort_, "cmbPort", Msg(30106));
    cmbPort_->setToolTip(Msg(30106));
    cmbPort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbPort_->setMinimumContentsLength(24);
    lblPort_->setBuddy(cmbPort_);
    cmdPortRefresh_ = Button(fraTransStatus_, QStringLiteral("cmdPortRefresh"), 30105);
    cmdPortRefresh_->setAccessibleName(Msg(30107));
    cmdPortRefresh_->setToolTip(Msg(30107));
    portRow->addWidget(lblPort_);
    portRow->addWidget(cmbPort_, 1);
    portRow->addWidget(cmdPortRefresh_);
    lamps->setRowStretch(4, 1);
    statusGrid->addLayout(lamps, 0, 0);
    statusGrid->addLayout(portRow, 1, 0, 1, 2);
    rtbLog_ = new QTextEdit(fraTransStatus_);
    rtbLog_->setReadOnly(true);
    rtbLog_->setMinimumHeight(60);
    NameControl(*rtbLog_, "rtbLog", Msg(5021));
    statusGrid->addWidget(rtbLog_, 0, 1);
    statusGrid->setColumnStretch(1, 1);
    root->addWidget(fraTransStatus_);
    connect(cmbPort_, &QComboBox::activated, this, [this](int index) {
        if (filling_ || index < 0) return;
        ChoosePort(FromQ(cmbPort_->itemData(index).toString()));
    });
    connect(cmdPortRefresh_, &QPushButton::clicked, this, [this] { FillPortChoices(); });

    // Instrument fields.
    fraStatus_ = new QGroupBox(central);
    NameControl(*fraStatus_, "fraStatus", Msg(5208));
    auto* fields = new QGridLayout(fraStatus_);
    for (int i = 0; i < 9; ++i) {
        lblOption_[i] = new QLabel(fraStatus_);
        lblOption_[i]->setObjectName(QStringLiteral("lblOption(%1)").arg(i));
    }
    const int fieldLabels[4] = {0, 1, 2, 8};
    for (int i = 0; i < 4; ++i) {
        txtOption_[i] = new QLineEdit(fraStatus_);
        txtOption_[i]->setMaxLength(static_cast<int>(IdTextLimit(i)));
        txtOption_[i]->installEventFilter(this);
        lblOption_[fieldLabels[i]]->setBuddy(txtOption_[i]);
        fields->addWidget(lblOption_[fieldLabels[i]], i, 0);
        fields->addWidget(txtOption_[i], i, 1);
        connect(txtOption_[i], &QLineEdit::editingFinished, this, [this, i] { LeaveIdField(i); });
    }
    cmbStation_ = new QComboBox(fraStatus_);
    cmbUser_ = new QComboBox(fraStatus_);
    fields->addWidget(cmbStation_, 1, 2);
    fields->addWidget(cmbUser_, 2, 2);
    fields->addWidget(lblOption_[3], 0, 3);
    fields->addWidget(lblOption_[5], 0, 4);
    fields->addWidget(lblOption_[4], 1, 3);
    fields->addWidget(lblOption_[6], 1, 4);
    cmbInterval_ = new QComboBox(fraStatus_);
    for (Integer seconds : IntervalChoices) cmbInterval_->addItem(QString::number(seconds));
    lblOption_[7]->setBuddy(cmbInterval_);
    fields->addWidget(lblOption_[7], 2, 3);
    fields->addWidget(cmbInterval_, 2, 4);
    lblTitle_ = new QLabel(fraStatus_);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    // The instrument's program number and checksum: captions lblInst(6), lblInst(8) and their
    // values lblInst(7), lblInst(9), shown once they were read from the instrument.
    auto* firmware = new QHBoxLayout();
    for (int i : {6, 7, 8, 9}) {
        lblInst_[i] = new QLabel(fraStatus_);
        lblInst_[i]->setObjectName(QStringLiteral("lblInst(%1)").arg(i));
        lblInst_[i]->hide();
        firmware->addWidget(lblInst_[i]);
        if (i == 7) firmware->addSpacing(12);
    }
    lblInst_[7]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblInst_[9]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    firmware->addStretch(1);
    fields->addLayout(firmware, 3, 3, 1, 2);
    // A caption kept for the windows that read it; it has no place of its own here.
    lblTitle_->hide();
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);
    root->addWidget(fraStatus_);

    connect(cmbInterval_, &QComboBox::activated, this, [this](int index) {
        if (filling_ || index < 0) return;
        context_.Program().Instrument.Intervals(IntervalChoices[static_cast<std::size_t>(index)]);
    });
    connect(cmbStation_, &QComboBox::activated, this, [this](int index) {
        if (filling_ || index < 0) return;
        auto& record = context_.Program().Instrument;
        record.StationID(record.StationList(index));
        txtOption_[1]->setText(ToQ(record.StationID()));
    });
    connect(cmbUser_, &QComboBox::activated, this, [this](int index) {
        if (filling_ || index < 0) return;
        auto& record = context_.Program().Instrument;
        record.UserID(record.UserList(index));
        txtOption_[2]->setText(ToQ(record.UserID()));
    });

    // Grid and commands side by side.
    auto* middle = new QHBoxLayout();
    vfgOption_ = new SettingsGrid(context_, central);
    vfgOption_->setObjectName(QStringLiteral("vfgOption"));
    vfgOption_->setAccessibleName(Msg(5208));
    middle->addWidget(vfgOption_, 1);
    vfgOption_->RecordEdited = [this] { RefreshCommandStates(); };
    // Switching a channel on or off refreshes what the window shows of the record, and keeps the
    // grid's undo history.
    vfgOption_->ChannelSwitched = [this] { ShowRecordFields(); };

    auto* commands = new QVBoxLayout();
    const int frameMsgs[3] = {5035, 5227, 5049};
    for (int i = 0; i < 3; ++i) {
        fraCommand_[i] = new QGroupBox(Msg(frameMsgs[i]), central);
        NameControl(*fraCommand_[i], IndexedName("fraCommand", i).toUtf8().constData(), Msg(frameMsgs[i]));
        new QVBoxLayout(fraCommand_[i]);
        commands->addWidget(fraCommand_[i]);
    }
    auto add = [](QGroupBox* frame, QWidget* w) { frame->layout()->addWidget(w); };
    const std::pair<int, int> downs[] = {{1, 5037}, {2, 5038}, {4, 5041}, {5, 5047}};
    for (auto [index, message] : downs) {
        cmdDown_[index] = Button(fraCommand_[0], IndexedName("cmdDown", index), message);
    }
    add(fraCommand_[0], cmdDown_[1]);
    add(fraCommand_[0], cmdDown_[5]);
    add(fraCommand_[0], cmdDown_[2]);
    cmdFRAMDump_ = Button(fraCommand_[0], QStringLiteral("cmdFRAMDump"), 5222);
    add(fraCommand_[0], cmdFRAMDump_);
    const int optionMsgs[11] = {5214, 5215, 5216, 5221, 5230, 5040, 5231, 5255, 5256, 5263, 5678};
    // Two columns, so that the write commands keep their height at the minimum window size.
    delete fraCommand_[1]->layout();
    auto* writes = new QGridLayout(fraCommand_[1]);
    for (int i = 0; i < 11; ++i) {
        cmdOption_[i] = Button(fraCommand_[1], IndexedName("cmdOption", i), optionMsgs[i]);
        writes->addWidget(cmdOption_[i], i / 2, i % 2);
    }
    writes->addWidget(cmdDown_[4], 5, 1);
    chkFactorySave_ = new QCheckBox(Msg(5261), fraCommand_[1]);
    NameControl(*chkFactorySave_, "chkFactorySave", chkFactorySave_->text());
    writes->addWidget(chkFactorySave_, 6, 0, 1, 2);
    cmdFactorySetting_ = Button(fraCommand_[2], QStringLiteral("cmdFactorySetting"), 5226);
    cmdImportSetting_ = Button(fraCommand_[2], QStringLiteral("cmdImportSetting"), 5228);
    cmdExportSetting_ = Button(fraCommand_[2], QStringLiteral("cmdExportSetting"), 5229);
    add(fraCommand_[2], cmdFactorySetting_);
    add(fraCommand_[2], cmdImportSetting_);
    add(fraCommand_[2], cmdExportSetting_);
    lblSuffix_ = new QLabel(Msg(5048), fraCommand_[2]);
    lblSuffix_->setObjectName(QStringLiteral("lblSuffix"));
    txtSuffix_ = new QLineEdit(fraCommand_[2]);
    NameControl(*txtSuffix_, "txtSuffix", Msg(5048));
    lblSuffix_->setBuddy(txtSuffix_);
    add(fraCommand_[2], lblSuffix_);
    add(fraCommand_[2], txtSuffix_);
    connect(txtSuffix_, &QLineEdit::editingFinished, this,
            [this] { context_.Program().FactoryRecordSuffix = FromQ(txtSuffix_->text()); });
    commands->addStretch(1);
    cmdExit_ = Button(central, QStringLiteral("cmdExit"), 5007);
    commands->addWidget(cmdExit_);
    middle->addLayout(commands);
    root->addLayout(middle, 1);

    connect(cmdImportSetting_, &QPushButton::clicked, this, [this] { LoadLocalFile(); });
    connect(cmdExportSetting_, &QPushButton::clicked, this, [this] { StoreLocalFile(); });
    connect(cmdExit_, &QPushButton::clicked, this, [this] { close(); });

    tmrInter_.OnTick([this] { OnTick(); });
    BuildEditMenu();
}

void frmMain::BuildEditMenu() {
    mnuEdit_ = menuBar()->addMenu(Msg(MsgEditMenu));
    mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit_->menuAction()->setObjectName(QStringLiteral("mnuEditMenu"));
    auto action = [this](const char* name, QList<QKeySequence> keys) {
        auto* a = mnuEdit_->addAction(QString());
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        // Anywhere in the window; a text field or the grid's open editor takes these keys for its
        // own text first.
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    if (!redoKeys.contains(shiftZ)) redoKeys.prepend(shiftZ);
    mnuUndo_ = action("mnuUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    mnuRedo_ = action("mnuRedo", redoKeys);
    mnuEdit_->addSeparator();
    mnuCopy_ = action("mnuCopy", {QKeySequence(Qt::CTRL | Qt::Key_C)});
    QUndoStack& stack = vfgOption_->UndoStack();
    connect(mnuUndo_, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(mnuRedo_, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(mnuCopy_, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(ToQ(vfgOption_->SelectionAsText())); });
    connect(&stack, &QUndoStack::indexChanged, this, [this] { RefreshEditMenu(); });
    connect(&stack, &QUndoStack::cleanChanged, this, [this] { RefreshEditMenu(); });
    RefreshEditMenu();
}

void frmMain::RefreshEditMenu() {
    if (!mnuEdit_) return;
    const QUndoStack& stack = vfgOption_->UndoStack();
    const bool idle = !busy_;
    mnuEdit_->setTitle(Msg(MsgEditMenu));
    mnuEdit_->setAccessibleName(mnuEdit_->title().remove(QLatin1Char('&')));
    mnuEdit_->menuAction()->setEnabled(idle);
    mnuEdit_->setEnabled(idle);
    const auto label = [](int plain, int what, const QString& step) {
        return step.isEmpty() ? Msg(plain) : Msg(what, {FromQ(step)});
    };
    mnuUndo_->setText(label(MsgUndo, MsgUndoWhat, stack.canUndo() ? stack.undoText() : QString()));
    mnuRedo_->setText(label(MsgRedo, MsgRedoWhat, stack.canRedo() ? stack.redoText() : QString()));
    mnuCopy_->setText(Msg(MsgCopy));
    mnuCopy_->setToolTip(Msg(MsgCopyTip));
    mnuCopy_->setStatusTip(mnuCopy_->toolTip());
    mnuUndo_->setEnabled(idle && stack.canUndo());
    mnuRedo_->setEnabled(idle && stack.canRedo());
    mnuCopy_->setEnabled(idle);
}

void frmMain::SetCaptions() {
    setWindowTitle(ToQ(MainWindowTitle(context_.Program().FactoryMode)));
    setAccessibleName(windowTitle());
    fraTransStatus_->setTitle(Msg(5021));
    fraStatus_->setTitle(Msg(5208));
    lblStatus_[0]->setText(Msg(5022));
    lblStatus_[1]->setText(Msg(5023));
    for (int i = 0; i < 4; ++i) {
        shpStatus_[i]->setObjectName(QStringLiteral("shpStatus(%1)").arg(i));
        shpStatus_[i]->setAccessibleName(lblStatus_[i]->text());
        lblStatus_[i]->setObjectName(QStringLiteral("lblStatus(%1)").arg(i));
    }
    const std::pair<int, int> labels[] = {{0, 5209}, {1, 5210}, {2, 5211}, {8, 8003},
                                          {3, 5212}, {4, 5213}, {7, 5223}};
    for (auto [index, message] : labels) lblOption_[index]->setText(Msg(message));
    const int fieldLabels[4] = {0, 1, 2, 8};
    for (int i = 0; i < 4; ++i) {
        NameControl(*txtOption_[i], IndexedName("txtOption", i).toUtf8().constData(),
                    lblOption_[fieldLabels[i]]->text());
    }
    NameControl(*cmbInterval_, "cmbInterval", Msg(5223));
    NameControl(*cmbStation_, "cmbStation", Msg(5210));
    NameControl(*cmbUser_, "cmbUser", Msg(5211));
    lblTitle_->setText(Msg(5012));
    lblInst_[6]->setText(Msg(5056));
    lblInst_[8]->setText(Msg(5060));
}

void frmMain::PaintLamp(int index, const LampColours& colours) {
    shpStatus_[index]->setStyleSheet(QStringLiteral("background-color: %1; border: 2px solid %2; border-radius: 9px;")
                                         .arg(colours.fill.name(), colours.border.name()));
    shpStatus_[index]->setProperty("fillColour", colours.fill);
}

void frmMain::Form_Load() {
    ProgramState& program = context_.Program();
    setMinimumSize(MinWidth, MinHeight);
    ApplyGasTableDefaults(program);
    // Window part of the start-up defaults; the settings part is the core's.
    tmrInter_.Interval(100);
    tmrInter_.Enabled(true);
    InitWindowDefaults(program);
    PaintLamp(0, Green);
    for (int i = 1; i < 4; ++i) PaintLamp(i, Grey);
    rtbLog_->clear();
    for (int i = 2; i < 4; ++i) {
        shpStatus_[i]->hide();
        lblStatus_[i]->hide();
    }
    ApplyLinkDefaults(program);
    CopyFontToControls(program.ProgramFont, *this);
    ReadConfiguration(program, program.ProgramFolder / ConfigFileName);
    SetCaptions();
    // The link runs on the configured retry and timeout; the port is chosen next.
    link_->Retry(program.Retry);
    link_->Timeout(program.Timeout);
    link_->SerialComm(false);
    link_->LogFolder(program.LogFolder.string());

    // The logs are rotated and the old log removed before the port opens, so that the first
    // lines of this run land in a fresh log. A file that will not go away is reported and the
    // run goes on with the log appended.
    const SerialLogOutcome logs =
        PrepareSerialLog(program.LogFolder, program.SerialLogFile, DeleteWaitOnLoop(context_.Loop()));
    if (!logs.Ok()) AddInfo(ToQ(logs.PaneText()), PaneRed);

    OpenLinkPort();
    FillPortChoices();

    if (program.ExecuteCount == 1) {
        const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                              : QRect(0, 0, 1280, 1024);
        resize(std::max(MinWidth, screen.width() * 8 / 10), std::max(MinHeight, screen.height() * 6 / 10));
        CentreOnScreen(*this);
    } else {
        resize(MinWidth, MinHeight);
    }
    clockTag_ = context_.Loop().Now();
    fraStatus_->show();

    txtSuffix_->setText(ToQ(program.FactoryRecordSuffix));
    localSettingsFile_ = WithSeparator(program.LogFolder.string()) + "TZ7300.DAT";
    checkDataFile_ = WithSeparator(program.ProgramFolder.string()) + "TZ7300_Check.DAT";

    if (!program.DebugMode) {
        for (QWidget* w : {static_cast<QWidget*>(cmdDown_[2]), static_cast<QWidget*>(cmdFRAMDump_),
                           static_cast<QWidget*>(cmdOption_[3]), static_cast<QWidget*>(cmdOption_[4]),
                           static_cast<QWidget*>(cmdOption_[5]), static_cast<QWidget*>(cmdOption_[6])}) {
            w->hide();
        }
    }
    const bool factory = program.FactoryMode;
    for (QWidget* w : {static_cast<QWidget*>(cmdOption_[8]), static_cast<QWidget*>(cmdOption_[10]),
                       static_cast<QWidget*>(txtOption_[3]), static_cast<QWidget*>(lblOption_[8])}) {
        w->setVisible(factory);
    }
    PlaceWriteCommands();
    // The least size grows where the font and the captions shown need more (larger system
    // fonts, Japanese captions), so that no control is squeezed below its own least size.
    layout()->activate();
    const QSize least = QSize(MinWidth, MinHeight).expandedTo(layout()->totalMinimumSize());
    setMinimumSize(least);
    if (width() < least.width() || height() < least.height()) resize(size().expandedTo(least));
    RefreshCommandStates();
}

void frmMain::PlaceWriteCommands() {
    // The write commands shown, two a row in their order, so that hidden ones leave no gaps.
    auto* grid = static_cast<QGridLayout*>(fraCommand_[1]->layout());
    std::vector<QWidget*> order(cmdOption_.begin(), cmdOption_.end());
    order.push_back(cmdDown_[4]);
    int place = 0;
    for (QWidget* command : order) {
        grid->removeWidget(command);
        if (command->isHidden()) continue;
        grid->addWidget(command, place / 2, place % 2);
        ++place;
    }
    grid->removeWidget(chkFactorySave_);
    grid->addWidget(chkFactorySave_, (place + 1) / 2, 0, 1, 2);
}

void frmMain::OpenLinkPort() {
    ProgramState& program = context_.Program();
    SelectPort(*link_, context_.SerialPort(), program, &context_.Dialogs(), CommandLinePort(),
               context_.SerialPorts());
    if (!link_->PortOpen() && link_->SerialComm()) {
        AddInfo(Msg(5315), PaneRed);
        PaintLamp(0, Red);
        context_.Dialogs().MsgBox(LoadMessage(5315), LoadMessage(5316), MsgIcon::Stop, MsgButtons::Ok);
    } else {
        PaintLamp(0, Green);
    }
}

void frmMain::FillPortChoices() {
    const std::string& named = CommandLinePort();
    const std::string current = named.empty() ? context_.Program().CommDevice : named;
    filling_ = true;
    cmbPort_->clear();
    cmbPort_->addItem(Msg(30104), QString());
    for (const PortChoice& choice : ListPortChoices(context_.SerialPorts()(), current)) {
        cmbPort_->addItem(ToQ(PortChoiceText(choice)), ToQ(choice.device));
        if (choice.infraredModule) cmbPort_->setItemData(cmbPort_->count() - 1, Msg(30101), Qt::ToolTipRole);
    }
    cmbPort_->setCurrentIndex(std::max(0, cmbPort_->findData(ToQ(current))));
    filling_ = false;
}

void frmMain::ChoosePort(const std::string& device) {
    if (busy_) return;
    ProgramState& program = context_.Program();
    // The choice replaces a device named on the command line for the rest of the run.
    CommandLinePort().clear();
    program.CommDevice = device;
    link_->PortOpen(false);
    AddInfo(Msg(30108, {device.empty() ? LoadMessage(30104) : device}), DarkBlue);
    link_->AddLog(LoadMessage(30108, {device.empty() ? LoadMessage(30104) : device}));
    OpenLinkPort();
    SaveConfiguration();
    FillPortChoices();
    RefreshCommandStates();
}

bool frmMain::SaveConfiguration(std::string* text) {
    ProgramState& program = context_.Program();
    const auto file = program.ProgramFolder / ConfigFileName;
    std::string error;
    if (WriteConfiguration(program, file, context_.Loop().Now(), IsEnglishCatalogue(), &error)) return true;
    const std::string line = LoadMessage(MsgConfigurationNotWritten, {file.string(), error});
    AddInfo(ToQ(line), PaneRed);
    link_->AddLog(line);
    if (text) *text = line;
    return false;
}

void frmMain::Form_Activate(bool first) {
    if (!first) return;
    auto& record = context_.Program().Instrument;
    link_->AddLog(LoadMessage(5541, {FormatGeneralDate(context_.Loop().Now())}));
    record.SetChangeFlags(true, false);
    record.ImportFlag(true);
    link_->Instrument(&record);
    link_->Status(6);
    ShowInstrumentSettings();
}

void frmMain::ShowInstrumentSettings() {
    ShowRecordFields();
    vfgOption_->ShowRecord();  // a new record: the grid's undo history starts afresh
    RefreshCommandStates();
}

void frmMain::ShowRecordFields() {
    ProgramState& program = context_.Program();
    const auto& record = program.Instrument;
    const bool data = record.CommFlags() || record.ImportFlag();
    filling_ = true;
    RefreshCommandStates();
    cmbStation_->clear();
    cmbUser_->clear();
    for (int i = 0; i < 128; ++i) {
        cmbStation_->addItem(ToQ(record.StationList(i)));
        cmbUser_->addItem(ToQ(record.UserList(i)));
    }
    cmbStation_->setCurrentIndex(SelectedStationEntry(record));
    cmbUser_->setCurrentIndex(SelectedUserEntry(record));
    for (int i = 0; i < 4; ++i) txtOption_[i]->setText(data ? ToQ(IdFieldValue(record, i)) : QString());
    cmbInterval_->setCurrentIndex(
        static_cast<int>(data ? IntervalChoiceIndex(record.Intervals()) : IntervalChoiceIndex(300)));
    const bool read = data && record.CommFlags();
    lblInst_[7]->setText(read ? QString::number(record.RomNumber()) : QString());
    lblInst_[9]->setText(read ? ToQ(record.SUM()) : QString());
    lblInst_[7]->setAccessibleName(lblInst_[6]->text());
    lblInst_[9]->setAccessibleName(lblInst_[8]->text());
    for (int i : {6, 7, 8, 9}) lblInst_[i]->setVisible(read);
    TakeAutoCalConcentrations(program);
    filling_ = false;
}

void frmMain::RefreshCommandStates() {
    const auto& record = context_.Program().Instrument;
    const bool data = record.CommFlags() || record.ImportFlag();
    const bool conn = link_->Connected();
    const bool idle = !busy_;
    for (int i = 0; i < 3; ++i) SetControlEnabled(*txtOption_[i], idle && data);
    SetControlEnabled(*txtOption_[3], idle && data);
    SetControlEnabled(*cmbInterval_, idle && data);
    SetControlEnabled(*cmbStation_, idle && data);
    SetControlEnabled(*cmbUser_, idle && data);
    for (int i : {1, 2, 4, 5}) cmdDown_[i]->setEnabled(idle && conn);
    cmdFRAMDump_->setEnabled(idle && conn);
    cmdFactorySetting_->setEnabled(idle);
    cmdImportSetting_->setEnabled(idle);
    cmdExportSetting_->setEnabled(idle);
    for (int i : {0, 2, 7, 10}) cmdOption_[i]->setEnabled(idle && conn && data);
    for (int i : {1, 3, 4, 5, 6, 8, 9}) cmdOption_[i]->setEnabled(idle && conn);
    chkFactorySave_->setEnabled(idle && conn && data);
    SetControlEnabled(*txtSuffix_, idle && conn);
    vfgOption_->setEnabled(idle && data);
    cmdExit_->setEnabled(idle);
    RefreshEditMenu();
    SetControlEnabled(*cmbPort_, idle);
    cmdPortRefresh_->setEnabled(idle);
}

void frmMain::SetBusy(bool busy) {
    busy_ = busy;
    context_.Dialogs().BusyPointer(busy);
    RefreshCommandStates();
    if (!busy && closeAsked_) {
        closeAsked_ = false;
        // Asked from the event loop, once the command that ended has returned.
        QPointer<frmMain> self(this);
        context_.Loop().Post(0, [self] {
            if (self) self->close();
        });
    }
}

void frmMain::AddInfo(const QString& text, const QColor& colour) {
    rtbLog_->moveCursor(QTextCursor::End);
    rtbLog_->setTextColor(colour);
    rtbLog_->append(text);
    rtbLog_->moveCursor(QTextCursor::End);
}

void frmMain::OnTick() {
    ++ticks_;
    auto& record = context_.Program().Instrument;
    const Date now = context_.Loop().Now();
    const Long status = link_->Status();
    const bool live = !(status == 0 || status == 1 || !record.CommFlags());
    // Once a second when the instrument clock is shown; every tick otherwise.
    if (live && FormatGeneralDate(now) == FormatGeneralDate(clockTag_)) return;
    clockTag_ = now;
    const ClockTexts clocks = MainWindowClocks(now, record, static_cast<Integer>(status));
    if (clocks.ResetOffset) record.SysDateOffset(0);
    lblOption_[5]->setText(ToQ(clocks.Pc));
    lblOption_[6]->setText(ToQ(clocks.Instrument));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int kind = 0; kind < 4; ++kind) {
            if (watched != txtOption_[kind]) continue;
            auto* key = static_cast<QKeyEvent*>(event);
            const QString typed = key->text();
            if (typed.size() != 1 || typed[0].unicode() < 0x20 || typed[0].unicode() == 0x7f) return false;
            QLineEdit* field = txtOption_[kind];
            const std::string text = FromQ(field->text());
            const int selStart = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
            const int selLength = field->hasSelectedText() ? static_cast<int>(field->selectedText().size()) : 0;
            const char ch = typed[0].unicode() < 0x80 ? static_cast<char>(typed[0].unicode()) : '\x01';
            const IdKey result = FilterIdKey(kind, text, static_cast<std::size_t>(selStart),
                                             static_cast<std::size_t>(selLength), ch);
            if (!result.Accepted) {
                context_.Dialogs().Beep();
                return true;
            }
            field->insert(QString(QChar(result.Key)));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::LeaveIdField(int kind) {
    if (filling_) return;
    auto& record = context_.Program().Instrument;
    txtOption_[kind]->setText(ToQ(tz::LeaveIdField(record, kind, FromQ(txtOption_[kind]->text()))));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (busy_) {
        closeAsked_ = true;
        event->ignore();
        return;
    }
    if (!cmdExit_->isEnabled()) {
        event->ignore();
        return;
    }
    if (!closing_) {
        if (context_.Dialogs().MsgBox(LoadMessage(MsgEndQuestion), EndQuestionTitle, MsgIcon::Question,
                                      MsgButtons::YesNo) != MsgAnswer::Yes) {
            event->ignore();
            return;
        }
    }
    closing_ = true;
    tmrInter_.Enabled(false);
    link_->TimerEnabled(false);
    // The window goes on closing when the file cannot be written; the user is told so, as the
    // pane goes with the window.
    std::string failure;
    if (!SaveConfiguration(&failure)) context_.Dialogs().MsgBox(failure, MainTitle(), MsgIcon::Stop, MsgButtons::Ok);
    event->accept();
}

void frmMain::StoreLocalFile() {
    FileDialogRequest request;
    request.title = LoadMessage(5229);
    request.filter = LoadMessage(5701) + LoadMessage(5710);
    request.filterIndex = 2;
    request.fileName = localSettingsFile_;
    request.mustExist = true;
    request.overwritePrompt = true;
    const std::string file = context_.Dialogs().SaveFileDialog(request);
    if (file.empty()) return;
    try {
        SaveSettingsFile(context_.Program().Instrument, file);
    } catch (const SettingsFileError& error) {
        context_.Dialogs().MsgBox(error.what(), MainTitle(), MsgIcon::Stop, MsgButtons::Ok);
    }
}

void frmMain::LoadLocalFile() {
    FileDialogRequest request;
    request.title = LoadMessage(5228);
    request.filter = LoadMessage(5701) + LoadMessage(5710);
    request.filterIndex = 2;
    request.fileName = localSettingsFile_;
    request.mustExist = true;
    const std::string file = context_.Dialogs().OpenFileDialog(request);
    if (file.empty()) return;
    ProgramState& program = context_.Program();
    SetBusy(true);
    // The file is loaded into a copy, so that a file that stops half-way leaves the record whole.
    clsInstrument copy = program.Instrument;
    bool loaded = false;
    try {
        LoadSettingsFile(copy, file, [this](const std::string& code) {
            context_.Dialogs().MsgBox(UnknownCodeMessage(code), MainTitle(), MsgIcon::Information, MsgButtons::Ok);
        });
        loaded = true;
    } catch (const SettingsFileError& error) {
        SetBusy(false);
        const std::string where = error.LineNumber() > 0 ? std::to_string(error.LineNumber()) + ": " + error.Line()
                                                         : std::string(error.what());
        context_.Dialogs().MsgBox(LoadMessage(5358) + "\r\n" + LoadMessage(5449, {where}), MainTitle(),
                                  MsgIcon::Stop, MsgButtons::Ok);
    }
    if (loaded) {
        program.Instrument = copy;
        program.Instrument.SetChangeFlags(true, false);
        program.Instrument.ImportFlag(true);
        link_->Instrument(&program.Instrument);
        link_->Status(6);
        SetBusy(false);
        ShowInstrumentSettings();
    }
}

void frmMain::OnConnect() {
    if (!link_->Connected()) return;
    AddInfo(Msg(5432), Blue);
    PaintLamp(0, Green);
    PaintLamp(1, Green);
    RefreshCommandStates();
}

void frmMain::Densty(const std::array<Single, 6>& readings, bool, bool) {
    ProgramState& program = context_.Program();
    program.GasReadings = readings;
    program.NewReadings = true;
    if (program.CalibrationWindowOpen && calibrationReadings_) calibrationReadings_();
}

void frmMain::ConnectRetry(Integer& count) { AddInfo(Msg(5412, {std::to_string(count)}), DarkGreen); }
void frmMain::InstMessage(std::string& message) { AddInfo(ToQ(message), DarkBlue); }
void frmMain::InterMessage(const std::string& message) { AddInfo(ToQ(message), DarkBlue); }
void frmMain::AlarmMessage(const std::string& message) { AddInfo(ToQ(message), DarkBlue); }

void frmMain::DumpMessage(const std::string& message) {
    if (frmUpload* progress = frmUpload::Instance()) progress->Message(message);
}

void frmMain::OnDisconnect() {
    PaintLamp(0, Green);
    PaintLamp(1, Grey);
    RefreshCommandStates();
    for (int i = 2; i < 4; ++i) {
        shpStatus_[i]->hide();
        lblStatus_[i]->hide();
    }
}

void frmMain::IrDAError(Integer& errorCode) {
    if (errorCode != 10048 && errorCode != 10060) return;
    AddInfo(Msg(5371), PaneRed);
    PaintLamp(0, Red);
    PaintLamp(1, Grey);
    context_.Dialogs().MsgBox(LoadMessage(5371), LoadMessage(5372), MsgIcon::Stop, MsgButtons::Ok);
}

std::unique_ptr<QWidget> CreateMainWindow(UiContext& context) {
    return std::make_unique<frmMain>(context);
}

}  // namespace tz::ui
