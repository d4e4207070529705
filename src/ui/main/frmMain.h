#pragma once
// The program's main window: the link to the instrument, the status lamps and information pane,
// the identifier fields and lists, the settings grid, the command buttons and the settings files.
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "link/ILinkListener.h"
#include "ui/common/Form.h"
#include "ui/common/UiContext.h"
#include "ui/common/WindowTimer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTextEdit;

namespace tz {
class uclTzif;
}

namespace tz::ui {

class SettingsGrid;

struct LampColours {
    QColor fill;
    QColor border;
};

class frmMain : public QMainWindow, public Form, private ILinkListener {
    Q_OBJECT

public:
    explicit frmMain(UiContext& context, QWidget* parent = nullptr);
    ~frmMain() override;

    // Switches the controls by the table of connection and data states.
    void RefreshCommandStates();
    // Shows the record: identifier fields, lists, interval, program number and checksum, the
    // program-wide auto-calibration concentrations, and the grid (its undo history cleared).
    void ShowInstrumentSettings();
    // A coloured line at the bottom of the information pane.
    void AddInfo(const QString& text, const QColor& colour);
    // The window's one busy state: while set, every input control is off and closing is refused;
    // a close asked for meanwhile is asked again ("End ?") once the busy state ends.
    void SetBusy(bool busy);
    bool Busy() const { return busy_; }
    uclTzif& Link() { return *link_; }
    int TickCount() const { return ticks_; }
    const std::string& LocalSettingsFile() const { return localSettingsFile_; }
    const std::string& CheckDataFile() const { return checkDataFile_; }
    // A serial device named on the command line ("--port DEVICE"); it comes before the
    // configuration file's "COMM Device" and the USB module lookup. Empty: none named.
    static std::string& CommandLinePort();
    // The port choice: lists the serial ports the system reports and the configured device;
    // choosing one (empty: the automatic choice) reopens the link on it and keeps it as
    // "COMM Device" in the configuration file.
    void FillPortChoices();
    void ChoosePort(const std::string& device);
    // What refreshes the calibration window's readings; the window sets it while it is open
    // (ProgramState::CalibrationWindowOpen) and clears it when it closes. Runs on every reading.
    void CalibrationReadings(std::function<void()> refresh) { calibrationReadings_ = std::move(refresh); }
    // The two settings-file buttons' actions.
    void StoreLocalFile();
    void LoadLocalFile();

protected:
    void Form_Load() override;
    void Form_Activate(bool first) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetCaptions();
    void PaintLamp(int index, const LampColours& colours);
    void OnTick();
    void LeaveIdField(int kind);
    // ShowInstrumentSettings without the grid.
    void ShowRecordFields();
    // The Edit menu: undo and redo of the settings grid's edits, and copying the grid.
    void BuildEditMenu();
    void RefreshEditMenu();
    void PlaceWriteCommands();
    // Chooses and opens the link's port; a port that does not open is reported (5315).
    void OpenLinkPort();
    // Writes the configuration file; a failure gets a pane line and a log line. False on failure.
    bool SaveConfiguration(std::string* text = nullptr);

    // ILinkListener
    void OnConnect() override;
    void Densty(const std::array<Single, 6>& readings, bool lowRange5, bool lowRange6) override;
    void ConnectRetry(Integer& count) override;
    void InstMessage(std::string& message) override;
    void InterMessage(const std::string& message) override;
    void AlarmMessage(const std::string& message) override;
    void DumpMessage(const std::string& message) override;
    void OnDisconnect() override;
    void IrDAError(Integer& errorCode) override;

    UiContext& context_;
    std::unique_ptr<uclTzif> link_;
    WindowTimer tmrInter_;
    int ticks_ = 0;
    Date clockTag_ = 0;
    bool closing_ = false;
    bool busy_ = false;
    // A close asked for while busy; it is asked again once the window is idle.
    bool closeAsked_ = false;
    bool filling_ = false;
    std::function<void()> calibrationReadings_;
    std::string localSettingsFile_;
    std::string checkDataFile_;

    std::array<QFrame*, 4> shpStatus_{};
    std::array<QLabel*, 4> lblStatus_{};
    QTextEdit* rtbLog_ = nullptr;
    std::array<QLineEdit*, 4> txtOption_{};
    std::array<QLabel*, 9> lblOption_{};
    QComboBox* cmbInterval_ = nullptr;
    QComboBox* cmbStation_ = nullptr;
    QComboBox* cmbUser_ = nullptr;
    std::array<QGroupBox*, 3> fraCommand_{};
    std::array<QPushButton*, 6> cmdDown_{};
    std::array<QPushButton*, 11> cmdOption_{};
    QPushButton* cmdFRAMDump_ = nullptr;
    QPushButton* cmdFactorySetting_ = nullptr;
    QCheckBox* chkFactorySave_ = nullptr;
    QPushButton* cmdImportSetting_ = nullptr;
    QPushButton* cmdExportSetting_ = nullptr;
    QLineEdit* txtSuffix_ = nullptr;
    QLabel* lblSuffix_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    SettingsGrid* vfgOption_ = nullptr;
    QGroupBox* fraTransStatus_ = nullptr;
    QGroupBox* fraStatus_ = nullptr;
    QLabel* lblPort_ = nullptr;
    QComboBox* cmbPort_ = nullptr;
    QPushButton* cmdPortRefresh_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    std::array<QLabel*, 10> lblInst_{};
    QMenu* mnuEdit_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuRedo_ = nullptr;
    QAction* mnuCopy_ = nullptr;
};

// The factory the program gives UiContext::SetMainWindowFactory.
std::unique_ptr<QWidget> CreateMainWindow(UiContext& context);

}  // namespace tz::ui
