#pragma once
// The gas selection window: lists the gases of the gas table that a channel slot may take and
// returns the one the user picked. The caller sets GasNo, opens it modally (ModalRunner) and then
// reads Flags and SelNum: with Flags true, entry SelNum of slot GasNo is the chosen gas.
#include <QDialog>
#include <array>

#include "text/Types.h"
#include "ui/common/Form.h"
#include "ui/common/UiContext.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tz::ui {

class frmGasSel : public QDialog, public Form {
    Q_OBJECT

public:
    static constexpr int OptionCount = 16;

    explicit frmGasSel(UiContext& context, QWidget* parent = nullptr);

    Integer GasNo() const { return gasNo_; }
    void GasNo(Integer value) { gasNo_ = value; }
    // The option chosen, -1 until one is clicked.
    Integer SelNum() const { return selNum_; }
    // True when the user confirmed a choice with OK (OK without a choice counts as Cancel).
    bool Flags() const { return flags_; }

    // The arrangement the options got when the window loaded.
    int Columns() const { return columns_; }
    int RowsPerColumn() const { return rows_; }

protected:
    void Form_Load() override;

private:
    void cmdGasSel_Click(int index);

    UiContext& context_;
    Integer gasNo_ = 0;
    Integer selNum_ = -1;
    bool flags_ = false;
    int columns_ = 1;
    int rows_ = 0;
    QGroupBox* fraGasSel_ = nullptr;
    std::array<QRadioButton*, OptionCount> optGasList_{};
    std::array<QPushButton*, 2> cmdGasSel_{};
};

}  // namespace tz::ui
