#pragma once
// The grid control every window's grid is built on (vfgOption, vfgDatas, vfgStation, vfgUser,
// vfgCal): a QTableWidget with an item delegate of its own, offering the operations and events the
// windows rely on.
//
// Operations: size with fixed (header) rows; cell text that reads back exactly as written; text
// and back colours that read back as set, a cell whose text colour is the fixed-cell text colour
// being read-only; check-box cells; hidden columns; a choice list per cell ("a|b|c" offers exactly
// those entries, "" is free text); the current cell; finish edit; enabled (QWidget::setEnabled).
//
// Events (handlers are plain functions, set by the window):
//   BeforeEdit(row, col, cancel)          an edit or a check-box toggle is about to start
//   KeyPressEdit(row, col, key)           a character typed into the editor (backspace is 8);
//                                         set key to 0 to drop it, or to another character
//   ChangeEdit(row, col)                  the editor's text changed (read EditText())
//   ValidateEdit(row, col, cancel, text)  the edit ends with `text` (which the handler may
//                                         rewrite); cancel refuses it, as ValidateRefusal says
//   AfterEdit(row, col)                   an edit was accepted, or a check box was toggled
//   Click(row, col)                       the user clicked a cell
//   RowColChange(row, col)                another cell became current
// None is raised by the program's own calls that set cells, and none while the window's busy flag
// (UseBusyFlag) is set: then an edit that is about to start is refused.
#include <QColor>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <string>

namespace tz::ui {

// A window's busy flag: set while the window itself changes its controls, so that the events
// those changes raise are ignored. Nesting is allowed; BusyScope sets it for one block.
class BusyFlag {
public:
    bool IsSet() const { return depth_ > 0; }
    void Enter() { ++depth_; }
    void Leave() { if (depth_ > 0) --depth_; }

private:
    int depth_ = 0;
};

class BusyScope {
public:
    explicit BusyScope(BusyFlag& flag) : flag_(flag) { flag_.Enter(); }
    ~BusyScope() { flag_.Leave(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyFlag& flag_;
};

// What a refused ValidateEdit does with the edit.
enum class RefusalMode {
    KeepEditing,  // the editor stays open with the typed text
    AbandonEdit,  // the editor closes and the cell keeps its old text
};

enum class CellCheck { None, Unchecked, Checked };

class GridDelegate;

class GridControl : public QTableWidget {
    Q_OBJECT

public:
    explicit GridControl(QWidget* parent = nullptr);
    ~GridControl() override;

    // ---- Size ----
    // Rows and columns, addressed from 0; the first fixedRows rows are headers, never edited,
    // drawn in the fixed colours. Cells that stay keep their contents; new cells are empty.
    void Size(int rows, int cols, int fixedRows);
    int Rows() const { return rowCount(); }
    int Cols() const { return columnCount(); }
    int FixedRows() const { return fixedRows_; }

    // ---- Cells (std::out_of_range outside the grid) ----
    std::string CellText(int row, int col) const;
    void CellText(int row, int col, const std::string& text);
    QColor CellForeColor(int row, int col) const;
    void CellForeColor(int row, int col, const QColor& color);
    QColor CellBackColor(int row, int col) const;
    void CellBackColor(int row, int col, const QColor& color);
    void CellAlignment(int row, int col, Qt::Alignment alignment);
    // Joins a block of cells into one shown cell (its top-left cell holds the text).
    void MergeCells(int row, int col, int rowSpan, int colSpan);

    // Check-box cells: None makes the cell a plain one again.
    CellCheck CellCheckState(int row, int col) const;
    void CellCheckState(int row, int col, CellCheck state);
    bool CellChecked(int row, int col) const { return CellCheckState(row, col) == CellCheck::Checked; }
    void CellChecked(int row, int col, bool checked) {
        CellCheckState(row, col, checked ? CellCheck::Checked : CellCheck::Unchecked);
    }

    // The editor of the cell offers exactly these entries ("a|b|c"); empty text: free text.
    std::string CellChoiceList(int row, int col) const;
    void CellChoiceList(int row, int col, const std::string& list);

    // The colours new cells get, and those of the fixed rows. A cell whose text colour equals
    // ForeColorFixed is read-only.
    QColor ForeColor() const { return foreColor_; }
    void ForeColor(const QColor& color) { foreColor_ = color; }
    QColor BackColor() const { return backColor_; }
    void BackColor(const QColor& color) { backColor_ = color; }
    QColor ForeColorFixed() const { return foreColorFixed_; }
    void ForeColorFixed(const QColor& color) { foreColorFixed_ = color; }
    QColor BackColorFixed() const { return backColorFixed_; }
    void BackColorFixed(const QColor& color) { backColorFixed_ = color; }
    // A fixed row, or a cell in the fixed-cell text colour.
    bool IsReadOnlyCell(int row, int col) const;

    // ---- Columns ----
    bool ColHidden(int col) const { return isColumnHidden(col); }
    void ColHidden(int col, bool hidden) { setColumnHidden(col, hidden); }
    int ColWidth(int col) const { return columnWidth(col); }
    void ColWidth(int col, int pixels) { setColumnWidth(col, pixels); }
    // Widths that fit the contents of every column (hidden ones stay hidden).
    void AutoSizeColumns();

    // ---- Current cell ----
    int Row() const { return currentRow(); }
    int Col() const { return currentColumn(); }
    // Makes the cell current (ending a running edit first, as leaving the cell does).
    void Select(int row, int col);

    // ---- Editing ----
    bool IsEditing() const { return editor_ != nullptr; }
    int EditRow() const { return editIndex_.row(); }
    int EditCol() const { return editIndex_.column(); }
    QWidget* Editor() const { return editor_; }  // QLineEdit, or QComboBox for a choice list
    std::string EditText() const;
    void EditText(const std::string& text);
    // Starts an edit of the cell as a key press on it would (BeforeEdit runs first); true when an
    // editor opened.
    bool EditCell(int row, int col);
    // Ends a running edit as if the user had left the cell, so that ValidateEdit runs; true when
    // no edit is open afterwards (a refused edit in KeepEditing mode stays open).
    bool FinishEditing();
    // Closes a running edit without taking its text.
    void CancelEditing();

    RefusalMode ValidateRefusal() const { return refusal_; }
    void ValidateRefusal(RefusalMode mode) { refusal_ = mode; }

    // The window's busy flag (it must outlive the grid); nullptr: none.
    void UseBusyFlag(const BusyFlag* flag) { busy_ = flag; }
    bool Busy() const { return busy_ && busy_->IsSet(); }

    // ---- Events ----
    std::function<void(int row, int col, bool& cancel)> BeforeEdit;
    std::function<void(int row, int col, int& key)> KeyPressEdit;
    std::function<void(int row, int col)> ChangeEdit;
    std::function<void(int row, int col, bool& cancel, std::string& text)> ValidateEdit;
    std::function<void(int row, int col)> AfterEdit;
    std::function<void(int row, int col)> Click;
    std::function<void(int row, int col)> RowColChange;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class GridDelegate;

    QTableWidgetItem& Cell(int row, int col) const;
    void Check(int row, int col) const;
    void ApplyFixedLook(int row);
    bool CanEditText(int row, int col) const;
    bool CanToggle(int row, int col) const;
    bool StartEdit(const QModelIndex& index, EditTrigger trigger, QEvent* event);
    void ToggleByUser(int row, int col);
    // Ends the running edit; hint says where the cursor goes next.
    void EndEdit(QAbstractItemDelegate::EndEditHint hint);
    // A mouse press or navigation key that would leave the running edit: false when the edit
    // stays open (refused in KeepEditing mode) and the press or key must be dropped.
    bool LeaveEditFor(const QModelIndex& target);

    // From the delegate.
    void EditorOpened(QWidget* editor, const QModelIndex& index);
    void EditorTextChanged();
    void RaiseKeyPress(int& key);

    int fixedRows_ = 0;
    QColor foreColor_{0, 0, 0};
    QColor backColor_{255, 255, 255};
    QColor foreColorFixed_{96, 96, 96};
    QColor backColorFixed_{224, 224, 224};
    RefusalMode refusal_ = RefusalMode::KeepEditing;
    const BusyFlag* busy_ = nullptr;
    GridDelegate* delegate_ = nullptr;

    QPointer<QWidget> editor_;
    QPersistentModelIndex editIndex_;
    QPersistentModelIndex pressedIndex_;
    bool refused_ = false;        // the last ValidateEdit of the running edit refused
    bool accepted_ = false;       // the running edit's text was taken into the cell
    bool inHandler_ = false;      // a BeforeEdit or ValidateEdit handler runs
    bool loadingEditor_ = false;  // the delegate fills a new editor
};

}  // namespace tz::ui
