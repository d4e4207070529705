#pragma once
// The main window's settings grid (vfgOption): the six channels' gases, ranges, alarm levels,
// positions and auto-calibration concentrations of the program record, with the edit rules of
// the core (instrument/GridEditRules.h), gas selection, undo and explained limits.
//
// The main window owns one, names it "vfgOption" and calls ShowRecord() whenever the record has
// been read, loaded or reset; everything else (editing, switching channels, undo) happens inside.
#include <array>
#include <optional>
#include <functional>
#include <string>

#include "instrument/GridCells.h"
#include "instrument/clsInstrument.h"
#include "ui/common/UiContext.h"
#include "ui/grid/GridControl.h"

class QKeyEvent;
class QResizeEvent;
class QUndoStack;

namespace tz::ui {

class SettingsGrid : public GridControl {
    Q_OBJECT

public:
    explicit SettingsGrid(UiContext& context, QWidget* parent = nullptr);
    ~SettingsGrid() override;

    // Fills the grid from context.Program(): the layout with data when the record was read from
    // the instrument or loaded from a file (CommFlags or ImportFlag), else the layout without data
    // from DefaultRecord, disabled. Clears the undo history.
    void ShowRecord();

    // Undo and redo of the grid's edits; the main window puts their actions in its Edit menu.
    QUndoStack& UndoStack();

    // Raised after every accepted edit, switched channel, undo and redo, so that the main window
    // refreshes what depends on the record (command states).
    std::function<void()> RecordEdited;
    // Raised after RecordEdited when the change switched a channel on or off (or undid or redid
    // that), so that the window shows the record's other fields again.
    std::function<void()> ChannelSwitched;

    // Paints the level cells red whose stored value breaks the channel's limits, and the
    // warning, alarm and auto-calibration cells whose order or warning-level rule is broken; every
    // channel cell's tooltip says what it accepts and why it is red. Both run after every change.
    void PaintInvalidLevels();
    void PaintConflicts();

    // The grid as tab-separated text (rows by line breaks, hidden rows and columns left out): the
    // selected block, or the whole grid when nothing is selected. Ctrl+C puts it on the clipboard.
    std::string SelectionAsText() const;

    // The text of the last refused edit (why, and what the cell accepts); empty after an accepted
    // one. The open editor's tooltip shows it too.
    const std::string& LastRefusal() const { return lastRefusal_; }

    // The rate of channel 0 to 5 as the calibration factor update may use it: none when its cell
    // holds no valid rate.
    std::optional<Single> RateOf(Integer channel) const;

    // What an undo step restores: the record and the grid-only rates.
    struct State {
        clsInstrument record;
        std::array<std::string, 6> rates;
    };
    // Puts the state back and shows it (used by the undo steps); `channelSwitch` when the step
    // switched a channel on or off.
    void Restore(const State& state, bool channelSwitch = false);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    clsInstrument& Record() const;
    bool ChannelFixed(Integer channel) const;
    State Capture() const;
    void Fill();
    void FillWithData();
    void FillWithoutData();
    void FillHeaders(int columns);
    void FitColumns();
    void Changed(bool channelSwitch);
    // The undo step's name: the column's title and the channel's gas.
    QString StepText(GridColumn column, Integer channel) const;
    void PushStep(const State& before, const QString& text, bool channelSwitch = false);
    void SetTip(int row, int col, const QString& tip);

    void OnBeforeEdit(int row, int col, bool& cancel);
    void OnValidateEdit(int row, int col, bool& cancel, std::string& text);
    void OnAfterEdit(int row, int col);
    void SwitchChannel(Integer channel, bool ticked);

    UiContext& context_;
    QUndoStack* undo_;
    bool hasData_ = false;
    std::array<std::string, 6> rates_;
    std::string lastRefusal_;
    // An accepted text edit, stored in the record by ValidateEdit and made an undo step once the
    // cell has taken its text.
    std::optional<State> pendingBefore_;
};

}  // namespace tz::ui
