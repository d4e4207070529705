#pragma once
// The main window's settings grid (vfgOption): the six channels' gases, ranges, alarm levels,
// positions and auto-calibration concentrations of the program record, with the edit rules of
// the core (instrument/GridEditRules.h), gas selection, undo and explained limits.
//
// The main window owns one, names it "vfgOption" and calls ShowRecord() whenever the record has
// been read, loaded or reset; everything else (editing, switching channels, undo) happens inside.
#include <functional>

#include "ui/common/UiContext.h"
#include "ui/grid/GridControl.h"

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

private:
    [[maybe_unused]] UiContext& context_;
    QUndoStack* undo_;
};

}  // namespace tz::ui
