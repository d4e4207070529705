#include "ui/calibration/frmGasSel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/GasSelection.h"
#include "app/WindowTexts.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

namespace {

constexpr int MsgGas = 5648;      // "Gas"
constexpr int MsgChannel = 5662;  // "Channel ~1"

std::string IndexedName(const char* name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

}  // namespace

frmGasSel::frmGasSel(UiContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmGasSel"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraGasSel_ = new QGroupBox(this);
    fraGasSel_->setObjectName(QStringLiteral("fraGasSel"));
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < OptionCount; ++k) {
        auto* option = new QRadioButton(fraGasSel_);
        option->setObjectName(ToQ(IndexedName("optGasList", k)));
        option->hide();
        group->addButton(option, k);
        optGasList_[static_cast<std::size_t>(k)] = option;
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { selNum_ = static_cast<Integer>(id); });

    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(ToQ(IndexedName("cmdGasSel", i)));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdGasSel_Click(i); });
        cmdGasSel_[static_cast<std::size_t>(i)] = button;
    }
    cmdGasSel_[0]->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdGasSel_[0]);
    buttons->addWidget(cmdGasSel_[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraGasSel_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmGasSel::Form_Load() {
    CopyFontToControls(context_.Program().ProgramFont, *this);
    selNum_ = -1;
    flags_ = false;
    setWindowTitle(Msg(MsgGas));
    const QString frame = Msg(MsgChannel, {std::to_string(gasNo_ + 1)});
    fraGasSel_->setTitle(frame);
    fraGasSel_->setAccessibleName(frame);
    NameControl(*cmdGasSel_[0], "cmdGasSel(0)", Msg(MsgOk));
    cmdGasSel_[0]->setText(Msg(MsgOk));
    NameControl(*cmdGasSel_[1], "cmdGasSel(1)", Msg(MsgCancel));
    cmdGasSel_[1]->setText(Msg(MsgCancel));

    // A slot the table does not have offers nothing.
    std::vector<GasChoice> choices;
    if (gasNo_ >= 0 && gasNo_ < GasTableChannels) choices = GasChoices(context_.Program().GasTable, gasNo_);

    const GasChoiceLayout arrangement = GasChoiceArrangement(static_cast<int>(choices.size()));
    columns_ = arrangement.columns;
    rows_ = arrangement.rows;
    auto* grid = new QGridLayout(fraGasSel_);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        QRadioButton* option = optGasList_[static_cast<std::size_t>(choices[i].index)];
        option->setText(ToQ(choices[i].caption));
        option->setAccessibleName(option->text());
        option->show();
        const int n = static_cast<int>(i);
        grid->addWidget(option, n % rows_, n / rows_);
    }
    cmdGasSel_[0]->setEnabled(!choices.empty());
    if (!choices.empty())
        optGasList_[static_cast<std::size_t>(choices.front().index)]->setFocus();
    else
        cmdGasSel_[1]->setFocus();
    if (parentWidget() == nullptr) CentreOnScreen(*this);
}

void frmGasSel::cmdGasSel_Click(int index) {
    if (index == 0) {
        flags_ = selNum_ >= 0;
        accept();
        return;
    }
    reject();
}

}  // namespace tz::ui
