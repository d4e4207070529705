#include "ui/calibration/frmCalibration.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "instrument/modGasCommon.h"
#include "link/uclTzif.h"
#include "text/DateTime.h"
#include "ui/calibration/CertificateDocument.h"
#include "ui/calibration/ReadingsPlot.h"
#include "ui/calibration/frmUploadCalib.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

namespace {

constexpr int MsgCaption = 9201;
constexpr int MsgHeader = 5666;
constexpr int MsgFrame = 5216;
constexpr int MsgButtons[4] = {5218, 5219, 5232, 5220};
constexpr int MsgSwitching = 5233;
constexpr int MsgAdjustment = 5355;
constexpr int MsgNoneSelected = 5345;
constexpr int MsgSpanNotPerformed = 5346;
constexpr int MsgNotRead = 30900;
constexpr int MsgSaveCertificate = 30901;
constexpr int MsgCertificateFilter = 30919;
constexpr int MsgPrintQuestion = 30920;
constexpr int MsgNotWritten = 30921;
constexpr int MsgPlotCaption = 30923;
constexpr int MsgPlotTip = 30924;
constexpr int MsgCertificateTip = 30925;
constexpr int MsgSelectTip = 30928;

// The heater switch's bar starts here and steps down once a poll.
constexpr int HeaterBarSteps = 30;
// Readings at or below -101 are markers, not values.
constexpr Single LowestReading = -100.5f;

const QColor Unavailable(192, 192, 192);
const QColor ConcentrationBack(192, 255, 255);

constexpr int Channels = clsInstrument::GasChannels;

std::string IndexedName(const char* name, int index) { return std::string(name) + "(" + std::to_string(index) + ")"; }

QPushButton* Button(QWidget* parent, const std::string& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    NameControl(*button, name.c_str(), caption);
    return button;
}

QRadioButton* Option(QWidget* parent, const std::string& name, const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    NameControl(*option, name.c_str(), caption);
    return option;
}

std::string OperatorName() {
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) return FromQ(name);
    }
    return {};
}

}  // namespace

frmCalibration::frmCalibration(UiContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmCalibration"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    vfgCal_ = new GridControl(this);
    vfgCal_->setObjectName(QStringLiteral("vfgCal"));
    vfgCal_->Size(Channels + 1, 4, 1);
    vfgCal_->ValidateRefusal(RefusalMode::AbandonEdit);
    vfgCal_->UseBusyFlag(&busy_);
    vfgCal_->verticalHeader()->hide();
    vfgCal_->horizontalHeader()->hide();
    vfgCal_->BeforeEdit = [this](int row, int col, bool& cancel) { OnBeforeEdit(row, col, cancel); };
    vfgCal_->ValidateEdit = [this](int row, int col, bool& cancel, std::string& text) {
        OnValidateEdit(row, col, cancel, text);
    };
    vfgCal_->AfterEdit = [this](int row, int col) { OnAfterEdit(row, col); };

    plot_ = new ReadingsPlot(this);
    plot_->setObjectName(QStringLiteral("picReadings"));

    fraCalibration_ = new QGroupBox(this);
    fraCalibration_->setObjectName(QStringLiteral("fraCalibration"));
    auto* buttons = new QVBoxLayout(fraCalibration_);
    for (int i = 0; i < 4; ++i) {
        cmdCal_[static_cast<std::size_t>(i)] = Button(fraCalibration_, IndexedName("cmdCal", i), QString());
        connect(cmdCal_[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdCal_Click(i); });
    }
    cmdCertificate_ = Button(fraCalibration_, "cmdCertificate", QString());
    connect(cmdCertificate_, &QPushButton::clicked, this, [this] { SaveCertificate(); });
    for (int i = 0; i < 3; ++i) buttons->addWidget(cmdCal_[static_cast<std::size_t>(i)]);
    buttons->addWidget(cmdCertificate_);
    buttons->addStretch(1);
    buttons->addWidget(cmdCal_[3]);

    fraSQ_ = new QGroupBox(this);
    fraSQ_->setObjectName(QStringLiteral("fraSQ"));
    auto* sq = new QVBoxLayout(fraSQ_);
    auto* sqGroup = new QButtonGroup(this);
    fraLR_ = new QGroupBox(this);
    fraLR_->setObjectName(QStringLiteral("fraLR"));
    auto* lr = new QVBoxLayout(fraLR_);
    auto* lrGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optSQ_[static_cast<std::size_t>(i)] = Option(fraSQ_, IndexedName("optSQ", i), QString());
        sq->addWidget(optSQ_[static_cast<std::size_t>(i)]);
        sqGroup->addButton(optSQ_[static_cast<std::size_t>(i)], i);
        optLR_[static_cast<std::size_t>(i)] = Option(fraLR_, IndexedName("optLR", i), QString());
        lr->addWidget(optLR_[static_cast<std::size_t>(i)]);
        lrGroup->addButton(optLR_[static_cast<std::size_t>(i)], i);
    }
    connect(sqGroup, &QButtonGroup::idClicked, this, [this](int id) { optSQ_Click(id); });
    connect(lrGroup, &QButtonGroup::idClicked, this, [this](int id) { optLR_Click(id); });

    lblSH_ = new QLabel(this);
    lblSH_->setObjectName(QStringLiteral("lblSH"));
    lblSH_->setWordWrap(true);
    prgSH_ = new QProgressBar(this);
    prgSH_->setObjectName(QStringLiteral("prgSH"));
    prgSH_->setRange(0, HeaterBarSteps);
    prgSH_->setTextVisible(false);
    lblSH_->hide();
    prgSH_->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(fraCalibration_, 1);
    side->addWidget(fraSQ_);
    side->addWidget(fraLR_);
    side->addWidget(lblSH_);
    side->addWidget(prgSH_);
    auto* main = new QVBoxLayout;
    main->addWidget(vfgCal_, 1);
    main->addWidget(plot_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(side);
}

frmCalibration::~frmCalibration() {
    if (uclTzif* link = context_.Link()) link->HeaterPollHook({});
}

void frmCalibration::Form_Load() {
    CopyFontToControls(context_.Program().ProgramFont, *this);
    setWindowTitle(Msg(MsgCaption));
    setAccessibleName(windowTitle());
    const QString frame = Msg(MsgFrame);
    fraCalibration_->setTitle(frame);
    fraCalibration_->setAccessibleName(frame);
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = cmdCal_[static_cast<std::size_t>(i)];
        b->setText(Msg(MsgButtons[i]));
        b->setAccessibleName(b->text());
        b->setToolTip(b->text());
    }
    cmdCertificate_->setText(Msg(MsgSaveCertificate));
    cmdCertificate_->setAccessibleName(cmdCertificate_->text());
    cmdCertificate_->setToolTip(Msg(MsgCertificateTip));
    cmdCertificate_->setEnabled(false);
    // The frames' captions and options are the instrument's own words.
    fraSQ_->setTitle(QStringLiteral("CH4 ppm"));
    fraSQ_->setAccessibleName(fraSQ_->title());
    optSQ_[0]->setText(QStringLiteral("Dry Gas"));
    optSQ_[1]->setText(QStringLiteral("Wet Gas"));
    fraLR_->setTitle(QStringLiteral("HC Select"));
    fraLR_->setAccessibleName(fraLR_->title());
    optLR_[0]->setText(QStringLiteral("LEL/vol"));
    optLR_[1]->setText(QStringLiteral("ppm"));
    for (QRadioButton* o : {optSQ_[0], optSQ_[1], optLR_[0], optLR_[1]}) o->setAccessibleName(o->text());
    lblSH_->setText(Msg(MsgSwitching));
    prgSH_->setAccessibleName(lblSH_->text());

    const QStringList heads = Msg(MsgHeader).split(QLatin1Char('|'));
    for (int col = 0; col < 4 && col < heads.size(); ++col) vfgCal_->CellText(0, col, FromQ(heads[col]));
    vfgCal_->setAccessibleName(Msg(MsgCaption));
    plot_->Caption(Msg(MsgPlotCaption));
    plot_->setAccessibleName(Msg(MsgPlotCaption));
    plot_->setToolTip(Msg(MsgPlotTip));
    FillGrid();

    const int em = fontMetrics().height();
    setMinimumSize(em * 38, em * 26);
    if (parentWidget() == nullptr) CentreOnScreen(*this);
}

void frmCalibration::Form_Activate(bool) {
    // The window is activated again whenever a progress window or a result box closes; the
    // record, the selection and the concentrations typed stay as they are.
    if (opened_) return;
    opened_ = true;
    ReadCalibrationRecord();
}

void frmCalibration::ReadCalibrationRecord() {
    cal_.ClearDatas();
    uclTzif* link = context_.Link();
    const bool ok = link && link->GetGasInfo(&cal_) && link->GetAutoCalDensty(&cal_);
    selection_ = OpenCalibrationSelection(cal_);
    freshOxygen_.reset();
    FillGrid();
    std::array<QString, 6> names;
    for (Integer ch = 0; ch < Channels; ++ch)
        if (selection_.Available[static_cast<std::size_t>(ch)]) names[static_cast<std::size_t>(ch)] = ToQ(cal_.GasName(ch));
    plot_->Names(names);
    if (!ok) context_.Dialogs().MsgBox(LoadMessage(MsgNotRead), LoadMessage(MsgCaption), MsgIcon::Stop, MsgButtons::Ok);
    if (link) link->RunDensty(true);
}

void frmCalibration::FillGrid() {
    for (Integer ch = 0; ch < Channels; ++ch) PaintRow(ch);
    vfgCal_->AutoSizeColumns();
}

void frmCalibration::PaintRow(Integer channel) {
    const int row = static_cast<int>(channel) + 1;
    const auto i = static_cast<std::size_t>(channel);
    const bool available = selection_.Available[i];
    vfgCal_->CellText(row, 0, GasLabelOf(cal_, channel, true));
    vfgCal_->CellChecked(row, 1, available && selection_.Selected[i]);
    vfgCal_->CellBackColor(row, 1, available ? vfgCal_->BackColor() : Unavailable);
    vfgCal_->item(row, 1)->setToolTip(Msg(MsgSelectTip));
    vfgCal_->CellText(row, 2, CalConcentrationText(cal_, channel));
    vfgCal_->CellBackColor(row, 2, ConcentrationBack);
    vfgCal_->item(row, 2)->setToolTip(ToQ(CalConcentrationAcceptText(cal_, context_.Program().Instrument, channel)));
    const ProgramState& program = context_.Program();
    const bool low = channel >= 4 && program.ReadingLowRange[i - 4];
    vfgCal_->CellText(row, 3, CalReadingText(cal_, selection_, channel, program.GasReadings[i], low));
}

void frmCalibration::Refresh_InstMoment() {
    const ProgramState& program = context_.Program();
    if (program.GasReadings[1] > LowestReading) freshOxygen_ = program.GasReadings[1];
    std::array<Single, 6> fullScales{};
    for (Integer ch = 0; ch < Channels; ++ch) {
        const auto i = static_cast<std::size_t>(ch);
        const bool low = ch >= 4 && program.ReadingLowRange[i - 4];
        fullScales[i] = RangeOf(cal_, ch, low).FullScale;
        vfgCal_->CellText(static_cast<int>(ch) + 1, 3,
                          CalReadingText(cal_, selection_, ch, program.GasReadings[i], low));
    }
    plot_->Trace().Add(context_.Loop().Now() * 86400.0, program.GasReadings, fullScales, selection_.Selected);
    plot_->update();
    vfgCal_->viewport()->update();
}

void frmCalibration::OnBeforeEdit(int row, int col, bool& cancel) {
    cancel = running_ || !IsCalCellEditable(selection_, row - 1, static_cast<CalColumn>(col));
}

void frmCalibration::OnValidateEdit(int row, int col, bool& cancel, std::string& text) {
    if (col != static_cast<int>(CalColumn::Concentration) || validating_) return;
    validating_ = true;
    const Integer channel = row - 1;
    const CalConcentrationEdit edit = EditCalConcentration(cal_, context_.Program().Instrument, channel, text);
    if (edit.Refused) {
        cancel = true;
        lastRefusal_ = edit.Reason;
        vfgCal_->item(row, col)->setToolTip(ToQ(edit.Reason));
        context_.Dialogs().Beep();
    } else {
        lastRefusal_.clear();
        ApplyCalConcentration(cal_, selection_, channel, edit);
        text = edit.Text;
        vfgCal_->CellChecked(row, 1, selection_.Selected[static_cast<std::size_t>(channel)]);
    }
    validating_ = false;
}

void frmCalibration::OnAfterEdit(int row, int col) {
    const Integer channel = row - 1;
    if (col == static_cast<int>(CalColumn::Select))
        SetCalSelected(selection_, cal_, channel, vfgCal_->CellChecked(row, col));
    PaintRow(channel);
}

void frmCalibration::SetRunning(bool running) {
    running_ = running;
    for (QPushButton* b : cmdCal_) b->setEnabled(!running);
    cmdCertificate_->setEnabled(!running && run_.has_value());
    for (QRadioButton* o : {optSQ_[0], optSQ_[1], optLR_[0], optLR_[1]}) o->setEnabled(!running);
    vfgCal_->setEnabled(!running);
}

void frmCalibration::cmdCal_Click(int index) {
    if (running_) return;
    switch (index) {
    case 0: RunCalibration(true); break;
    case 1: RunCalibration(false); break;
    case 2: TeN2Cal(); break;
    default: close(); break;
    }
}

void frmCalibration::RunCalibration(bool zero) {
    if (!zero) {
        vfgCal_->FinishEditing();
        bool any = false;
        for (bool s : selection_.Selected) any = any || s;
        if (!any) {
            context_.Dialogs().MsgBox(LoadMessage(MsgNoneSelected), LoadMessage(MsgSpanNotPerformed), MsgIcon::Stop,
                                      MsgButtons::Ok);
            return;
        }
    }
    ProgramState& program = context_.Program();
    program.ProgressMode = zero ? 3 : 4;
    result_ = {};
    SetRunning(true);
    {
        frmUploadCalib progress(context_, *this, this);
        context_.Modal().RunModal(progress);
    }
    program.ProgressMode = 0;
    SetRunning(false);
    if (result_.Ok)
        context_.Dialogs().MsgBox(result_.Text, LoadMessage(MsgAdjustment), MsgIcon::Information, MsgButtons::Ok);
}

void frmCalibration::SetCalibResult(bool ok, const ChannelFlags& statuses, bool isZero) {
    CalReadings readings;
    readings.Values = context_.Program().GasReadings;
    readings.LowRange5 = context_.Program().ReadingLowRange[0];
    readings.LowRange6 = context_.Program().ReadingLowRange[1];
    result_ = tz::SetCalibResult(ok, statuses, isZero, cal_, selection_, readings);
    CalibrationRun run;
    run.IsZero = isZero;
    run.Ok = ok;
    run.Statuses = statuses;
    run.TookPart = isZero ? selection_.Available : selection_.Selected;
    for (Integer ch = 0; ch < Channels; ++ch) run.Concentrations[static_cast<std::size_t>(ch)] = cal_.AutoCalib(ch);
    run.Finished = context_.Loop().Now();
    run_ = run;
}

void frmCalibration::TeN2Cal() {
    const TeN2Plan plan = PlanTeN2(cal_, selection_, freshOxygen_);
    const std::string title = LoadMessage(TeN2Title);
    if (plan.Next != TeN2Plan::Action::Run) {
        context_.Dialogs().MsgBox(plan.RefusalText, title, MsgIcon::Stop, MsgButtons::Ok);
        return;
    }
    uclTzif* link = context_.Link();
    if (!link) return;
    SetRunning(true);
    link->RunDensty(false);
    const bool ok = link->zCal(plan.ZcalText);
    const std::string text = TeN2ResultText(cal_, ok, context_.Program().GasReadings[1]);
    link->RunDensty(true);
    SetRunning(false);
    context_.Dialogs().MsgBox(text, title, ok ? MsgIcon::Information : MsgIcon::Stop, MsgButtons::Ok);
}

void frmCalibration::optSQ_Click(int index) {
    uclTzif* link = context_.Link();
    if (!link || running_) return;
    SetRunning(true);
    link->RunDensty(false);
    link->SHWetDry(static_cast<Integer>(index));
    link->RunDensty(true);
    SetRunning(false);
}

void frmCalibration::optLR_Click(int index) {
    uclTzif* link = context_.Link();
    if (!link || running_) return;
    SetRunning(true);
    prgSH_->setValue(HeaterBarSteps);
    lblSH_->show();
    prgSH_->show();
    link->RunDensty(false);
    link->HeaterPollHook([this] {
        if (prgSH_->value() > prgSH_->minimum()) prgSH_->setValue(prgSH_->value() - 1);
    });
    link->SHOnOff(static_cast<Integer>(index));
    link->HeaterPollHook({});
    link->RunDensty(true);
    PaintRow(4);
    PaintRow(5);
    prgSH_->hide();
    lblSH_->hide();
    SetRunning(false);
}

bool frmCalibration::WriteCertificate(const std::string& path, std::string* error) const {
    if (!run_) {
        if (error) *error = "no calibration run";
        return false;
    }
    const CertificateText text = BuildCalibrationCertificate(context_.Program().Instrument, cal_, *run_, OperatorName());
    return WriteCertificatePdf(text, path, error);
}

void frmCalibration::SaveCertificate() {
    if (!run_ || running_) return;
    const CertificateText text = BuildCalibrationCertificate(context_.Program().Instrument, cal_, *run_, OperatorName());
    FileDialogRequest request;
    request.title = LoadMessage(MsgSaveCertificate);
    request.filter = LoadMessage(MsgCertificateFilter);
    request.fileName = (context_.Program().LogFolder / CertificateFileName(context_.Program().Instrument.SerialNo(),
                                                                            run_->Finished)).string();
    request.overwritePrompt = true;
    request.mustExist = true;
    const std::string path = context_.Dialogs().SaveFileDialog(request);
    if (path.empty()) return;
    std::string error;
    if (!WriteCertificatePdf(text, path, &error)) {
        context_.Dialogs().MsgBox(LoadMessage(MsgNotWritten, {error}), LoadMessage(MsgSaveCertificate), MsgIcon::Stop,
                                  MsgButtons::Ok);
        return;
    }
    if (context_.Dialogs().MsgBox(LoadMessage(MsgPrintQuestion), LoadMessage(MsgSaveCertificate), MsgIcon::Question,
                                  MsgButtons::YesNo) == MsgAnswer::Yes)
        PrintCertificate(text, this);
}

void frmCalibration::done(int result) {
    // Closing waits for the window's own exchange to end.
    if (running_) return;
    if (opened_) {
        if (uclTzif* link = context_.Link()) link->RunDensty(false);
    }
    QDialog::done(result);
}

void frmCalibration::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && running_) return;
    QDialog::keyPressEvent(event);
}

}  // namespace tz::ui
