#include "ui/main/SettingsGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QToolTip>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <vector>

#include "app/GasSelection.h"
#include "app/modMain.h"
#include "instrument/GridCells.h"
#include "instrument/GridEditRules.h"
#include "instrument/GridExplanations.h"
#include "link/uclTzif.h"
#include "ui/calibration/frmGasSel.h"
#include "ui/common/ModalRunner.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

namespace {

const QColor RedCell{255, 128, 128};

// One undoable change of the grid: the record and the rates before and after it. Restoring the
// whole record brings back values, low-range marks and change flags together, so an undone edit
// leaves nothing half restored.
class GridStep : public QUndoCommand {
public:
    GridStep(SettingsGrid& grid, SettingsGrid::State before, SettingsGrid::State after, const QString& text,
             bool channelSwitch)
        : QUndoCommand(text), grid_(grid), before_(std::move(before)), after_(std::move(after)),
          channelSwitch_(channelSwitch) {}
    void undo() override { grid_.Restore(before_, channelSwitch_); }
    void redo() override { grid_.Restore(after_, channelSwitch_); }

private:
    SettingsGrid& grid_;
    SettingsGrid::State before_;
    SettingsGrid::State after_;
    bool channelSwitch_;
};

GridColumn ColumnOf(int col) { return static_cast<GridColumn>(col); }

std::string Join(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : "|") + part;
    return joined;
}

}  // namespace

SettingsGrid::SettingsGrid(UiContext& context, QWidget* parent)
    : GridControl(parent), context_(context), undo_(new QUndoStack(this)) {
    setObjectName("vfgOption");
    setAccessibleName(Msg(GridBandTitleMessage));
    rates_.fill(InitialRateText);
    BeforeEdit = [this](int row, int col, bool& cancel) { OnBeforeEdit(row, col, cancel); };
    ValidateEdit = [this](int row, int col, bool& cancel, std::string& text) { OnValidateEdit(row, col, cancel, text); };
    AfterEdit = [this](int row, int col) { OnAfterEdit(row, col); };
    Size(GridRowsWithoutData, GridColumnsWithoutData, GridHeaderRows);
    // A block of cells can be selected for copying (Ctrl+A: all of them).
    setSelectionMode(ContiguousSelection);
    setEnabled(false);
}

SettingsGrid::~SettingsGrid() = default;

QUndoStack& SettingsGrid::UndoStack() { return *undo_; }

clsInstrument& SettingsGrid::Record() const { return context_.Program().Instrument; }

bool SettingsGrid::ChannelFixed(Integer channel) const {
    return channel >= 0 && channel < 6 && context_.Program().GasLocked[static_cast<std::size_t>(channel)];
}

void SettingsGrid::ShowRecord() {
    // A read, a loaded file or a reset starts a new history: undoing into another record's values
    // would write them to the wrong instrument.
    undo_->clear();
    pendingBefore_.reset();
    lastRefusal_.clear();
    // Without a link (the grid on its own) the record's flags alone decide.
    const Integer status = context_.Link() ? static_cast<Integer>(context_.Link()->Status()) : -1;
    hasData_ = GridHasData(Record(), status);
    if (hasData_) rates_.fill(InitialRateText);
    Fill();
}

void SettingsGrid::Fill() {
    if (IsEditing()) CancelEditing();
    if (hasData_) {
        FillWithData();
    } else {
        FillWithoutData();
    }
    FitColumns();
}

void SettingsGrid::FitColumns() {
    // Every column as wide as its contents (gas labels and titles in every language); what is
    // left of the grid's width is shared out, so that no empty band stays at the right.
    AutoSizeColumns();
    std::vector<int> shown;
    int used = 0;
    for (int col = 0; col < Cols(); ++col) {
        if (ColHidden(col)) continue;
        shown.push_back(col);
        used += ColWidth(col);
    }
    const int spare = viewport()->width() - used;
    if (shown.empty() || spare <= 0) return;
    const int each = spare / static_cast<int>(shown.size());
    int rest = spare - each * static_cast<int>(shown.size());
    for (int col : shown) {
        ColWidth(col, ColWidth(col) + each + (rest > 0 ? 1 : 0));
        if (rest > 0) --rest;
    }
}

void SettingsGrid::resizeEvent(QResizeEvent* event) {
    GridControl::resizeEvent(event);
    FitColumns();
}

void SettingsGrid::FillHeaders(int columns) {
    for (int col = 0; col < columns; ++col) {
        CellText(0, col, "");
        CellText(1, col, FromQ(Msg(GridColumnTitleMessage(ColumnOf(col)))));
    }
    CellText(0, static_cast<int>(GridColumn::Warning), FromQ(Msg(GridBandTitleMessage)));
    CellAlignment(0, static_cast<int>(GridColumn::Warning), Qt::AlignCenter);
    MergeCells(0, static_cast<int>(GridColumn::Warning), 1, 5);
}

void SettingsGrid::FillWithoutData() {
    clearSpans();
    Size(GridRowsWithoutData, GridColumnsWithoutData, GridHeaderRows);
    FillHeaders(GridColumnsWithoutData);
    const clsInstrument& defaults = context_.Program().DefaultRecord;
    for (Integer channel = 0; channel < 6; ++channel) {
        const int row = GridHeaderRows + channel;
        for (int col = 0; col < GridColumnsWithoutData; ++col) {
            CellCheckState(row, col, CellCheck::None);
            CellText(row, col, col == 0 ? GridCellText(defaults, channel, GridColumn::Gas) : std::string());
            CellForeColor(row, col, ForeColorFixed());
            CellBackColor(row, col, BackColor());
            SetTip(row, col, {});
        }
    }
    setEnabled(false);
}

void SettingsGrid::FillWithData() {
    const clsInstrument& record = Record();
    clearSpans();
    Size(GridRowsWithData, GridColumnsWithData, GridHeaderRows);
    FillHeaders(GridColumnsWithData);
    for (Integer channel = 0; channel < 6; ++channel) {
        const int row = GridHeaderRows + channel;
        for (int col = 0; col < GridColumnsWithData; ++col) {
            const GridColumn column = ColumnOf(col);
            CellChoiceList(row, col, "");
            if (column == GridColumn::Enable) {
                CellText(row, col, "");
                CellChecked(row, col, record.GasEnabled(channel));
            } else {
                CellCheckState(row, col, CellCheck::None);
                CellText(row, col, column == GridColumn::Rate ? rates_[static_cast<std::size_t>(channel)]
                                                             : GridCellText(record, channel, column));
            }
            const bool readOnly = IsGridCellReadOnly(channel, column);
            CellForeColor(row, col, readOnly ? ForeColorFixed() : ForeColor());
            CellBackColor(row, col, readOnly ? BackColorFixed() : BackColor());
        }
    }
    for (int row = GridFirstUnitRow; row < GridRowsWithData; ++row) {
        const Integer channel = GridRowChannel(row);
        // A channel without a second range has nothing to choose: its unit row would be an
        // empty grey band.
        setRowHidden(row, !HasSecondRange(record, channel));
        const std::string choices = Join(UnitChoices(record, channel));
        for (int col = 0; col < GridColumnsWithData; ++col) {
            const GridColumn column = ColumnOf(col);
            CellCheckState(row, col, CellCheck::None);
            const bool readOnly = col > static_cast<int>(GridColumn::AutoCal) || IsUnitCellReadOnly(record, channel, column);
            CellText(row, col, col > static_cast<int>(GridColumn::AutoCal) ? std::string() : UnitRowText(record, channel, column));
            CellChoiceList(row, col, readOnly ? std::string() : choices);
            CellForeColor(row, col, readOnly ? ForeColorFixed() : ForeColor());
            CellBackColor(row, col, readOnly ? BackColorFixed() : BackColor());
            SetTip(row, col, readOnly ? QString() : ToQ(UnitCellAcceptText(record, channel, column)));
        }
    }
    ColHidden(static_cast<int>(GridColumn::Rate), !context_.Program().FactoryMode);
    setEnabled(true);
    PaintInvalidLevels();
    PaintConflicts();
}

void SettingsGrid::PaintInvalidLevels() {
    if (!hasData_) return;
    const clsInstrument& record = Record();
    for (Integer channel = 0; channel < 6; ++channel) {
        const int row = GridHeaderRows + channel;
        for (int col = 0; col <= static_cast<int>(GridColumn::Position); ++col) {
            const GridColumn column = ColumnOf(col);
            const bool readOnly = IsGridCellReadOnly(channel, column);
            const bool red = IsLevelColumn(column) && IsCellRed(record, channel, column);
            CellBackColor(row, col, red ? RedCell : readOnly ? BackColorFixed() : BackColor());
            SetTip(row, col, ToQ(CellToolTip(record, channel, column, ChannelFixed(channel))));
        }
        const int rateCol = static_cast<int>(GridColumn::Rate);
        SetTip(row, rateCol, ToQ(CellAcceptText(record, channel, GridColumn::Rate, ChannelFixed(channel))));
    }
}

void SettingsGrid::PaintConflicts() {
    // The order of warning and alarm and the auto-calibration warning-level rule are part of the
    // same red decision (CellRedReasons), so one pass paints both kinds consistently.
    PaintInvalidLevels();
}

std::optional<Single> SettingsGrid::RateOf(Integer channel) const {
    if (!hasData_ || channel < 0 || channel > 5) return std::nullopt;
    return ValidRate(rates_[static_cast<std::size_t>(channel)]);
}

void SettingsGrid::SetTip(int row, int col, const QString& tip) {
    if (QTableWidgetItem* cell = item(row, col)) cell->setToolTip(tip);
}

SettingsGrid::State SettingsGrid::Capture() const { return State{Record(), rates_}; }

void SettingsGrid::Restore(const State& state, bool channelSwitch) {
    Record() = state.record;
    rates_ = state.rates;
    Fill();
    Changed(channelSwitch);
}

void SettingsGrid::Changed(bool channelSwitch) {
    if (RecordEdited) RecordEdited();
    if (channelSwitch && ChannelSwitched) ChannelSwitched();
}

QString SettingsGrid::StepText(GridColumn column, Integer channel) const {
    return Msg(GridColumnTitleMessage(column)) + QStringLiteral(" ") + ToQ(GridCellText(Record(), channel, GridColumn::Gas));
}

void SettingsGrid::PushStep(const State& before, const QString& text, bool channelSwitch) {
    undo_->push(new GridStep(*this, before, Capture(), text, channelSwitch));
}

void SettingsGrid::OnBeforeEdit(int row, int col, bool& cancel) {
    if (!hasData_ || IsReadOnlyCell(row, col)) cancel = true;
}

void SettingsGrid::OnValidateEdit(int row, int col, bool& cancel, std::string& text) {
    pendingBefore_.reset();
    const Integer channel = GridRowChannel(row);
    if (channel < 0) return;
    const GridColumn column = ColumnOf(col);
    const bool unitRow = IsGridUnitRow(row);
    GridEdit edit = unitRow ? EditUnitCell(Record(), channel, column, text) : EditGridCell(Record(), channel, column, text);
    if (edit.Refused()) {
        cancel = true;
        lastRefusal_ = edit.Reason;
        context_.Dialogs().Beep();
        if (QWidget* editor = Editor()) {
            editor->setToolTip(ToQ(edit.Reason));
            if (editor->isVisible()) QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), ToQ(edit.Reason), editor);
        }
        return;
    }
    lastRefusal_.clear();
    if (!edit.Accepted()) {
        text = CellText(row, col);  // an empty text leaves the cell as it was
        return;
    }
    State before = Capture();
    if (unitRow) {
        ApplyUnitEdit(Record(), channel, column, edit);
    } else if (column == GridColumn::Rate) {
        rates_[static_cast<std::size_t>(channel)] = edit.Text;
        text = edit.Text;
    } else {
        ApplyGridEdit(Record(), channel, column, edit);
        text = edit.Text;
    }
    pendingBefore_ = std::move(before);
}

void SettingsGrid::OnAfterEdit(int row, int col) {
    const Integer channel = GridRowChannel(row);
    if (channel < 0) return;
    if (!IsGridUnitRow(row) && ColumnOf(col) == GridColumn::Enable) {
        SwitchChannel(channel, CellChecked(row, col));
        return;
    }
    if (!pendingBefore_) return;
    State before = std::move(*pendingBefore_);
    pendingBefore_.reset();
    PushStep(before, StepText(ColumnOf(col), channel));  // redo shows positions and unit rows again
}

void SettingsGrid::SwitchChannel(Integer channel, bool ticked) {
    const int row = GridHeaderRows + channel;
    const int col = static_cast<int>(GridColumn::Enable);
    IDialogs& dialogs = context_.Dialogs();
    switch (ChannelSwitchFor(ticked, ChannelFixed(channel))) {
    case ChannelSwitch::RefuseFixed:
        dialogs.MsgBox(LoadMessage(FixedSensorMessage), LoadMessage(FixedSensorTitle), MsgIcon::Information, MsgButtons::Ok);
        CellChecked(row, col, true);
        PaintInvalidLevels();
        return;
    case ChannelSwitch::AskDisable: {
        if (dialogs.MsgBox(LoadMessage(DisableSensorQuestion), LoadMessage(DisableSensorTitle), MsgIcon::Question,
                           MsgButtons::YesNo) != MsgAnswer::Yes) {
            CellChecked(row, col, true);
            PaintInvalidLevels();
            return;
        }
        State before = Capture();
        for (Integer other = 0; other < 6; ++other)
            Record().GasEnabled(other, CellChecked(GridHeaderRows + other, col));
        SwitchChannelOff(Record(), channel);
        PushStep(before, StepText(GridColumn::Enable, channel), true);
        return;
    }
    case ChannelSwitch::ChooseGas: {
        frmGasSel selection(context_, window());
        selection.GasNo(channel);
        context_.Modal().RunModal(selection);
        const GasTableEntry* gas =
            ChosenGas(context_.Program().GasTable, channel, selection.Flags(), static_cast<int>(selection.SelNum()));
        if (!gas) {
            CellChecked(row, col, false);
            PaintInvalidLevels();
            return;
        }
        State before = Capture();
        ApplyGasTableEntry(Record(), channel, *gas);
        PushStep(before, StepText(GridColumn::Enable, channel), true);
        return;
    }
    }
}

std::string SettingsGrid::SelectionAsText() const {
    int top = 0, left = 0, bottom = Rows() - 1, right = Cols() - 1;
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (!ranges.isEmpty()) {
        top = bottom = ranges.front().topRow();
        left = right = ranges.front().leftColumn();
        for (const QTableWidgetSelectionRange& range : ranges) {
            top = std::min(top, range.topRow());
            bottom = std::max(bottom, range.bottomRow());
            left = std::min(left, range.leftColumn());
            right = std::max(right, range.rightColumn());
        }
    }
    std::string text;
    for (int row = top; row <= bottom; ++row) {
        if (isRowHidden(row)) continue;
        bool first = true;
        for (int col = left; col <= right; ++col) {
            if (ColHidden(col)) continue;
            if (!first) text += '\t';
            first = false;
            const CellCheck check = CellCheckState(row, col);
            if (check == CellCheck::Checked) {
                text += "x";
            } else if (check == CellCheck::None) {
                text += CellText(row, col);
            }
        }
        text += '\n';
    }
    return text;
}

void SettingsGrid::keyPressEvent(QKeyEvent* event) {
    if (!IsEditing()) {
        if (event->matches(QKeySequence::Copy)) {
            QApplication::clipboard()->setText(ToQ(SelectionAsText()));
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
            if (event->matches(QKeySequence::Undo)) undo_->undo(); else undo_->redo();
            event->accept();
            return;
        }
    }
    GridControl::keyPressEvent(event);
}

}  // namespace tz::ui
