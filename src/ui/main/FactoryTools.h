#pragma once
// The main window's calibration, factory and debug commands: the calibration window with the
// pump (cmdOption(2)), the flash check (cmdOption(8)), the calibration factor update
// (cmdOption(10)), the logger memory download (cmdDown(2)) and the EEPROM dump listing
// (cmdFRAMDump). They work on the main window through its public members; the window makes one
// FactoryTools, which connects the buttons.
#include <QObject>

#include "link/LoggerImage.h"
#include "ui/common/UiContext.h"

namespace tz::ui {

class frmMain;

class FactoryTools : public QObject {
    Q_OBJECT

public:
    FactoryTools(frmMain& window, UiContext& context);

    void Calibration();
    void FlashCheck();
    void UpdateCalibrationFactors();
    void DownloadLogger();
    void EepromDump();

    // The logger image download with its pane and log lines and the progress window (mode 1,
    // with Cancel); the result says whether a complete image was written in this run.
    LoggerImageResult DownloadLoggerImage();

private:
    // The flash check's steps after the question; every exit closes the progress window.
    void RunFlashCheck();
    bool FlashStep(bool ok, const char* failure, int successLine);
    void ShowWriteProgress();
    void PaintRateCell(Integer channel);

    frmMain& window_;
    UiContext& context_;
};

}  // namespace tz::ui
