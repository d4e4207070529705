#pragma once
// The calibration window: the channels that can be calibrated with their calibration gas
// concentrations and live readings (vfgCal), zero, span and the inert-gas oxygen calibration, the
// sample heater's range and dry/wet switches, a live plot of the readings and the certificate of
// the last run. The main window's calibration command switches the pump on, opens it modally and
// switches the pump off once it has closed.
//
// Its calibration record is read once per opening. The gas poll runs exactly while the window is
// open: started after the opening reads, stopped when it closes (Exit or the close box), before
// the pump goes off. The main window hands every reading on with Refresh_InstMoment.
#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "instrument/CalibrationCertificate.h"
#include "instrument/CalibrationRules.h"
#include "instrument/clsInstrument.h"
#include "ui/common/Form.h"
#include "ui/common/UiContext.h"
#include "ui/grid/GridControl.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tz::ui {

class ReadingsPlot;

class frmCalibration : public QDialog, public Form {
    Q_OBJECT

public:
    explicit frmCalibration(UiContext& context, QWidget* parent = nullptr);
    ~frmCalibration() override;

    // Column 3 and the plot from the program's latest readings.
    void Refresh_InstMoment();
    // The progress window's report at the end of a run.
    void SetCalibResult(bool ok, const ChannelFlags& statuses, bool isZero);

    // A coloured line in the main window's information pane (the progress window's failure
    // line); set by the window's opener.
    std::function<void(const QString& text, const QColor& colour)> AddInfo;

    const clsInstrument& CalibrationRecord() const { return cal_; }
    const CalibrationSelection& Selection() const { return selection_; }
    const CalibResult& LastResult() const { return result_; }
    // The last zero or span run; none before the first.
    const std::optional<CalibrationRun>& LastRun() const { return run_; }
    // Why the last concentration edit was refused; empty after an accepted one.
    const std::string& LastRefusal() const { return lastRefusal_; }
    const ReadingsPlot& Plot() const { return *plot_; }

    // Writes the certificate of the last run to `path`; false with the reason in `error`.
    bool WriteCertificate(const std::string& path, std::string* error) const;

protected:
    void Form_Load() override;
    void Form_Activate(bool first) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReadCalibrationRecord();
    void FillGrid();
    void PaintRow(Integer channel);
    void SetRunning(bool running);
    void cmdCal_Click(int index);
    void RunCalibration(bool zero);
    void TeN2Cal();
    void optSQ_Click(int index);
    void optLR_Click(int index);
    void SaveCertificate();
    void OnBeforeEdit(int row, int col, bool& cancel);
    void OnValidateEdit(int row, int col, bool& cancel, std::string& text);
    void OnAfterEdit(int row, int col);

    UiContext& context_;
    clsInstrument cal_;
    CalibrationSelection selection_;
    CalibResult result_;
    std::optional<CalibrationRun> run_;
    std::optional<Single> freshOxygen_;
    std::string lastRefusal_;
    bool opened_ = false;     // the opening reads ran
    bool running_ = false;    // a link operation of the window runs
    bool validating_ = false;
    BusyFlag busy_;

    GridControl* vfgCal_ = nullptr;
    std::array<QPushButton*, 4> cmdCal_{};
    QPushButton* cmdCertificate_ = nullptr;
    QGroupBox* fraCalibration_ = nullptr;
    QGroupBox* fraSQ_ = nullptr;
    QGroupBox* fraLR_ = nullptr;
    std::array<QRadioButton*, 2> optSQ_{};
    std::array<QRadioButton*, 2> optLR_{};
    QProgressBar* prgSH_ = nullptr;
    QLabel* lblSH_ = nullptr;
    ReadingsPlot* plot_ = nullptr;
};

}  // namespace tz::ui
