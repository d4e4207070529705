#include "ui/common/frmPassword.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WindowTexts.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

frmPassword::frmPassword(UiContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmPassword"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblPass_ = new QLabel(this);
    txtPass_ = new QLineEdit(this);
    txtPass_->setEchoMode(QLineEdit::Password);
    lblPass_->setBuddy(txtPass_);
    cmdOK_ = new QPushButton(this);
    cmdCancel_ = new QPushButton(this);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    const int em = fontMetrics().height();
    layout->setContentsMargins(em, em, em, em);
    layout->addWidget(lblPass_);
    layout->addWidget(txtPass_);
    layout->addSpacing(em / 2);
    layout->addLayout(buttons);
}

void frmPassword::Form_Load() {
    password_ = context_.Program().ProgramPassword;
    setWindowTitle(ToQ(MainTitle()));
    NameControl(*cmdOK_, "cmdOK", Msg(MsgOk));
    cmdOK_->setText(Msg(MsgOk));
    NameControl(*cmdCancel_, "cmdCancel", Msg(MsgCancel));
    cmdCancel_->setText(Msg(MsgCancel));
    NameControl(*lblPass_, "lblPass", Msg(MsgPleaseInputPassword));
    lblPass_->setText(Msg(MsgPleaseInputPassword));
    NameControl(*txtPass_, "txtPass", Msg(MsgPleaseInputPassword));
    txtPass_->clear();
    CopyFontToControls(context_.Program().ProgramFont, *this);
    // Wide enough for the title in the title bar.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + fontMetrics().height() * 8);
    CentreOnScreen(*this);
    txtPass_->setFocus();
}

void frmPassword::cmdOK_Click() {
    if (IsProgramPassword(FromQ(txtPass_->text()), password_)) {
        context_.Program().PasswordAccepted = true;
        context_.OpenMainWindow();
        close();
        return;
    }
    context_.Dialogs().MsgBox(LoadMessage(MsgIncorrectPassword), LoadMessage(MsgPasswordTitle),
                              MsgIcon::Stop, MsgButtons::Ok);
    txtPass_->setFocus();
    txtPass_->selectAll();
}

void frmPassword::cmdCancel_Click() { close(); }

void frmPassword::reject() { close(); }

void frmPassword::closeEvent(QCloseEvent* event) {
    if (!context_.Program().PasswordAccepted &&
        context_.Dialogs().MsgBox(LoadMessage(MsgEndQuestion), EndQuestionTitle, MsgIcon::Question,
                                  MsgButtons::YesNo) != MsgAnswer::Yes) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tz::ui
