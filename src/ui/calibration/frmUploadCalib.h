#pragma once
// The progress window of a zero or span run: opened modally by the calibration window with the
// progress mode set (3 zero, 4 span), it runs the calibration exchange once from its first timer
// tick, hands the outcome to the calibration window (SetCalibResult) and closes itself. A span
// run can be cancelled; a failed run puts the red line 5413 into the main window's pane.
#include <QDialog>

#include "ui/common/Form.h"
#include "ui/common/UiContext.h"
#include "ui/common/WindowTimer.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tz::ui {

class frmCalibration;

class frmUploadCalib : public QDialog, public Form {
    Q_OBJECT

public:
    frmUploadCalib(UiContext& context, frmCalibration& calibration, QWidget* parent = nullptr);

    bool Canceled() const { return canceled_; }
    void Canceled(bool value) { canceled_ = value; }
    Integer Mode() const { return mode_; }

protected:
    void Form_Load() override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void tmrInter_Timer();
    void RunSpan();
    void RunZero();
    void cmdUpload_Click();

    UiContext& context_;
    frmCalibration& calibration_;
    WindowTimer tmrInter_;
    Integer mode_ = 0;
    bool canceled_ = false;
    bool running_ = false;
    QLabel* lblUpload_ = nullptr;
    QProgressBar* amnUpload_ = nullptr;
    QPushButton* cmdUpload_ = nullptr;
};

}  // namespace tz::ui
