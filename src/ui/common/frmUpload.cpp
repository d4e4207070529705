#include "ui/common/frmUpload.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WindowTexts.h"
#include "link/uclTzif.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

frmUpload* frmUpload::instance_ = nullptr;

frmUpload& frmUpload::Load(UiContext& context) {
    if (!instance_) {
        instance_ = new frmUpload(context);
        instance_->LoadForm();
    }
    return *instance_;
}

frmUpload* frmUpload::Instance() { return instance_; }

void frmUpload::Unload() {
    if (instance_) instance_->close();
}

frmUpload::frmUpload(UiContext& context)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context),
      tmrInter_(context.Loop()) {
    setObjectName(QStringLiteral("frmUpload"));
    setAttribute(Qt::WA_DeleteOnClose);

    lblUpload_ = new QLabel(this);
    lblUpload_->setWordWrap(true);
    lblUpload_->setAlignment(Qt::AlignCenter);
    amnUpload_ = new QProgressBar(this);
    amnUpload_->setRange(0, 0);  // no known end: the bar keeps moving
    amnUpload_->setTextVisible(false);
    cmdUpload_ = new QPushButton(this);
    connect(cmdUpload_, &QPushButton::clicked, this, [this] { cmdUpload_Click(); });

    auto* button = new QHBoxLayout;
    button->addStretch(1);
    button->addWidget(cmdUpload_);
    button->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    const int em = fontMetrics().height();
    layout->setContentsMargins(em, em, em, em);
    layout->setSpacing(em * 2 / 3);
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    layout->addWidget(lblUpload_);
    layout->addWidget(amnUpload_);
    layout->addLayout(button);
}

frmUpload::~frmUpload() {
    if (instance_ == this) instance_ = nullptr;
}

void frmUpload::Form_Load() {
    CopyFontToControls(context_.Program().ProgramFont, *this);
    mode_ = context_.Program().ProgressMode;
    const ProgressModeView view = ProgressModeTexts(mode_);
    NameControl(*lblUpload_, "lblUpload", Msg(view.message));
    NameControl(*amnUpload_, "amnUpload", Msg(view.message));
    NameControl(*cmdUpload_, "cmdUpload", Msg(MsgCancelButton));
    setWindowTitle(Msg(view.message));
    lblUpload_->setText(Msg(view.message));
    cmdUpload_->setText(Msg(MsgCancelButton));
    cmdUpload_->setVisible(view.cancelShown);
    const int em = fontMetrics().height();
    lblUpload_->setMinimumWidth(em * 20);
    FitHeight();
    CentreOnScreen(*this);
    tmrInter_.Start(TickMs, [this] { tmrInter_Timer(); });
}

void frmUpload::Title(const std::string& title) {
    setWindowTitle(ToQ(title));
    setAccessibleName(windowTitle());
}

std::string frmUpload::Title() const { return FromQ(windowTitle()); }

void frmUpload::Message(const std::string& text) {
    QString shown = ToQ(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblUpload_->setText(shown);
    lblUpload_->setAccessibleName(shown);
    FitHeight();
    // Painted now: the transfer that reports it keeps the event loop busy.
    if (isVisible()) repaint();
}

std::string frmUpload::Message() const { return FromQ(lblUpload_->text()); }

void frmUpload::ShowWindow() {
    ShowForm(*this);
    if (!cmdUpload_->isHidden()) cmdUpload_->setFocus();
}

void frmUpload::FitHeight() {
    if (QLayout* l = layout()) l->activate();
    resize(width(), sizeHint().height());
}

void frmUpload::tmrInter_Timer() {
    // Keeps the window current on screen while a transfer holds the program.
    if (isVisible()) update();
}

void frmUpload::cmdUpload_Click() {
    if (!cmdUpload_->isEnabled() || cmdUpload_->isHidden()) return;
    lblUpload_->setText(Msg(MsgNowCancelProcessing));
    if (uclTzif* link = context_.Link()) {
        link->Cancel(true);
        link->AddLog(UserCancelLogLine);
    }
    // A transfer is cancelled at most once per opening of the window.
    cmdUpload_->setEnabled(false);
}

void frmUpload::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !cmdUpload_->isHidden()) {
        cmdUpload_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmUpload::closeEvent(QCloseEvent* event) {
    tmrInter_.Enabled(false);
    if (instance_ == this) instance_ = nullptr;  // the next use makes a fresh window
    event->accept();
}

}  // namespace tz::ui
