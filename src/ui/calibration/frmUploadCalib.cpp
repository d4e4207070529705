#include "ui/calibration/frmUploadCalib.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WindowTexts.h"
#include "instrument/CalibrationRules.h"
#include "link/uclTzif.h"
#include "text/DateTime.h"
#include "ui/calibration/frmCalibration.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

namespace {
constexpr int MsgCalibrationFail = 5413;
constexpr int MsgUploadStarted = 5515;
constexpr int MsgUploadFailed = 5516;
const QColor PaneRed(255, 0, 0);
}  // namespace

frmUploadCalib::frmUploadCalib(UiContext& context, frmCalibration& calibration, QWidget* parent)
    : QDialog(parent), context_(context), calibration_(calibration), tmrInter_(context.Loop()) {
    setObjectName(QStringLiteral("frmUploadCalib"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    lblUpload_ = new QLabel(this);
    lblUpload_->setAlignment(Qt::AlignCenter);
    lblUpload_->setWordWrap(true);
    amnUpload_ = new QProgressBar(this);
    amnUpload_->setRange(0, 0);  // a busy indicator: the run has no known length
    amnUpload_->setTextVisible(false);
    cmdUpload_ = new QPushButton(this);
    connect(cmdUpload_, &QPushButton::clicked, this, [this] { cmdUpload_Click(); });
    auto* button = new QHBoxLayout;
    button->addStretch(1);
    button->addWidget(cmdUpload_);
    button->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblUpload_);
    layout->addWidget(amnUpload_);
    layout->addLayout(button);
}

void frmUploadCalib::Form_Load() {
    CopyFontToControls(context_.Program().ProgramFont, *this);
    mode_ = context_.Program().ProgressMode;
    const QString text = Msg(mode_ == 3 ? MsgAdjustingZero : MsgAdjustingSpan);
    setWindowTitle(text);
    NameControl(*lblUpload_, "lblUpload", text);
    NameControl(*amnUpload_, "amnUpload", text);
    NameControl(*cmdUpload_, "cmdUpload", Msg(MsgCancelButton));
    lblUpload_->setText(text);
    cmdUpload_->setText(Msg(MsgCancelButton));
    cmdUpload_->setVisible(mode_ == 4);
    lblUpload_->setMinimumWidth(fontMetrics().height() * 18);
    NameControl(*this, "frmUploadCalib", text);
    tmrInter_.Start(1, [this] { tmrInter_Timer(); });
}

void frmUploadCalib::tmrInter_Timer() {
    tmrInter_.Enabled(false);
    if (mode_ != 3 && mode_ != 4) return;
    running_ = true;
    if (mode_ == 4)
        RunSpan();
    else
        RunZero();
    running_ = false;
    accept();
}

void frmUploadCalib::RunSpan() {
    uclTzif* link = context_.Link();
    ChannelFlags statuses{};
    bool ok = false;
    if (link) {
        link->RunDensty(false);
        link->AddLog(LoadMessage(MsgUploadStarted, {FormatGeneralDate(context_.Loop().Now())}));
        link->Cancel(false);
        ok = link->SpanCal(BuildSpanRequest(calibration_.CalibrationRecord(), calibration_.Selection().Selected));
    }
    if (ok) {
        for (Integer ch = 0; ch < 6; ++ch) statuses[static_cast<std::size_t>(ch)] = link->SpanStatus(ch);
    } else if (calibration_.AddInfo) {
        calibration_.AddInfo(Msg(MsgCalibrationFail), PaneRed);
    }
    // A cancel ends the run; the history read that follows must not be refused by it.
    if (link) {
        link->Cancel(false);
        link->GetLatestHistory(&context_.Program().Instrument);
    }
    calibration_.SetCalibResult(ok, statuses, false);
    if (link) link->RunDensty(true);
}

void frmUploadCalib::RunZero() {
    uclTzif* link = context_.Link();
    ChannelFlags statuses{};
    bool ok = false;
    if (link) {
        link->RunDensty(false);
        link->Cancel(false);
        ok = link->ZeroCal("111111");
    }
    if (ok) {
        for (Integer ch = 0; ch < 6; ++ch) statuses[static_cast<std::size_t>(ch)] = link->ZeroStatus(ch);
        // The certificate shows the readings before and after from the instrument's history.
        link->GetLatestHistory(&context_.Program().Instrument);
    } else {
        if (calibration_.AddInfo) calibration_.AddInfo(Msg(MsgCalibrationFail), PaneRed);
        if (link) link->AddLog(LoadMessage(MsgUploadFailed, {FormatGeneralDate(context_.Loop().Now())}));
    }
    calibration_.SetCalibResult(ok, statuses, true);
    if (link) link->RunDensty(true);
}

void frmUploadCalib::cmdUpload_Click() {
    if (mode_ != 4 || !cmdUpload_->isEnabled()) return;
    lblUpload_->setText(Msg(MsgNowCancelProcessing));
    canceled_ = true;
    if (uclTzif* link = context_.Link()) link->Cancel(true);
    cmdUpload_->setEnabled(false);
}

void frmUploadCalib::reject() {
    // Escape cancels a span run; the window closes itself when the run has ended.
    if (running_) {
        cmdUpload_Click();
        return;
    }
    if (mode_ == 3 || mode_ == 4) return;
    QDialog::reject();
}

void frmUploadCalib::closeEvent(QCloseEvent* event) {
    if (running_ || ((mode_ == 3 || mode_ == 4) && tmrInter_.Enabled())) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace tz::ui
