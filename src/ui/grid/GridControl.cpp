#include "ui/grid/GridControl.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <stdexcept>

#include "ui/common/QtText.h"

namespace tz::ui {

namespace {

constexpr int ChoiceListRole = Qt::UserRole + 1;

// Sets a flag for the length of a block.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

QStringList ChoiceEntries(const QString& list) {
    QStringList entries = list.split(QLatin1Char('|'));
    if (entries.size() > 1 && entries.back().isEmpty()) entries.removeLast();  // a closing bar
    return entries;
}

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

}  // namespace

// Makes the editors (a line edit, or a list of exactly the cell's choices), feeds typed keys to
// the KeyPressEdit event, and ends edits synchronously on Enter, Tab, Escape and on leaving the
// editor for another control of the window, so that every end of an edit goes through the grid.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridControl& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const QString list = index.data(ChoiceListRole).toString();
        QWidget* editor = nullptr;
        if (!list.isEmpty()) {
            auto* combo = new QComboBox(parent);
            combo->addItems(ChoiceEntries(list));
            // Picking an entry ends the edit with it.
            QObject::connect(combo, &QComboBox::activated, combo, [this, combo](int) {
                if (grid_.editor_ == combo) grid_.EndEdit(QAbstractItemDelegate::NoHint);
            });
            editor = combo;
        } else {
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            QObject::connect(line, &QLineEdit::textChanged, line,
                             [this] { grid_.EditorTextChanged(); });
            editor = line;
        }
        editor->setObjectName(QStringLiteral("gridEditor"));
        editor->setAccessibleName(grid_.accessibleName());
        grid_.EditorOpened(editor, index);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const FlagScope loading(grid_.loadingEditor_);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(text);
            line->selectAll();
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(text));
        }
    }

    // The grid writes the accepted text itself (GridControl::commitData).
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (!editor || editor != grid_.editor_) return QStyledItemDelegate::eventFilter(object, event);
        if (event->type() == QEvent::KeyPress) return KeyPress(editor, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) {
            if (LeftForAnotherControl(editor)) grid_.EndEdit(QAbstractItemDelegate::NoHint);
            return false;
        }
        if (event->type() == QEvent::ShortcutOverride) {
            // Escape and Enter belong to the editor, not to a dialog's buttons.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        return false;
    }

private:
    bool KeyPress(QWidget* editor, QKeyEvent* key) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            grid_.EndEdit(QAbstractItemDelegate::NoHint);
            return true;
        case Qt::Key_Tab:
            grid_.EndEdit(QAbstractItemDelegate::EditNextItem);
            return true;
        case Qt::Key_Backtab:
            grid_.EndEdit(QAbstractItemDelegate::EditPreviousItem);
            return true;
        case Qt::Key_Escape:
            grid_.CancelEditing();
            return true;
        default:
            break;
        }
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line) return false;
        if (key->key() == Qt::Key_Backspace) return Typed(*line, {8u});
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
        const QString text = key->text();
        if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return false;
        return Typed(*line, text.toUcs4());
    }

    // Runs the characters through KeyPressEdit; false when the editor may take the key as it is,
    // true when the grid has done what the handler asked instead (dropped or replaced keys).
    bool Typed(QLineEdit& line, const QList<uint>& typed) {
        bool changed = false;
        for (const uint character : typed) {
            int key = static_cast<int>(character);
            grid_.RaiseKeyPress(key);
            if (key != static_cast<int>(character)) changed = true;
        }
        if (!changed) return false;
        for (const uint character : typed) {
            int key = static_cast<int>(character);
            grid_.RaiseKeyPress(key);
            if (key == 0) continue;
            if (key == 8)
                line.backspace();
            else
                line.insert(QString::fromUcs4(reinterpret_cast<const char32_t*>(&key), 1));
        }
        return true;
    }

    // True when the focus went to another control of the grid's window. Focus moving inside the
    // grid (a click on a cell ends the edit through the grid), into the editor's own parts, to a
    // popup or to another window (a message box) leaves the edit open.
    bool LeftForAnotherControl(QWidget* editor) const {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus == editor || editor->isAncestorOf(focus)) return false;
        if (QApplication::activePopupWidget()) return false;
        if (focus == &grid_ || grid_.isAncestorOf(focus)) return false;
        return focus->window() == grid_.window();
    }

    GridControl& grid_;
};

GridControl::GridControl(QWidget* parent) : QTableWidget(parent) {
    delegate_ = new GridDelegate(*this);
    setItemDelegate(delegate_);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setWordWrap(false);
    setTabKeyNavigation(false);
}

GridControl::~GridControl() {
    // No handler may run while the widget is half destroyed.
    BeforeEdit = nullptr;
    KeyPressEdit = nullptr;
    ChangeEdit = nullptr;
    ValidateEdit = nullptr;
    AfterEdit = nullptr;
    Click = nullptr;
    RowColChange = nullptr;
}

void GridControl::Check(int row, int col) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        throw std::out_of_range("grid " + FromQ(objectName()) + " has no cell (" +
                                std::to_string(row) + ", " + std::to_string(col) + ")");
}

QTableWidgetItem& GridControl::Cell(int row, int col) const {
    Check(row, col);
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        auto* self = const_cast<GridControl*>(this);
        cell = new QTableWidgetItem;
        cell->setForeground(foreColor_);
        cell->setBackground(backColor_);
        self->setItem(row, col, cell);
    }
    return *cell;
}

void GridControl::ApplyFixedLook(int row) {
    for (int col = 0; col < columnCount(); ++col) {
        QTableWidgetItem& cell = Cell(row, col);
        cell.setForeground(foreColorFixed_);
        cell.setBackground(backColorFixed_);
        cell.setFlags(Qt::ItemIsEnabled);
    }
}

void GridControl::Size(int rows, int cols, int fixedRows) {
    CancelEditing();
    clearSpans();
    const int oldFixed = fixedRows_;
    setRowCount(rows < 0 ? 0 : rows);
    setColumnCount(cols < 0 ? 0 : cols);
    fixedRows_ = std::clamp(fixedRows, 0, rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            QTableWidgetItem& cell = Cell(row, col);
            if (row >= fixedRows_ && row < oldFixed) {  // a header row no more
                cell.setForeground(foreColor_);
                cell.setBackground(backColor_);
            }
            if (row >= fixedRows_)
                cell.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        }
        if (row < fixedRows_) ApplyFixedLook(row);
    }
}

std::string GridControl::CellText(int row, int col) const { return FromQ(Cell(row, col).text()); }

void GridControl::CellText(int row, int col, const std::string& text) {
    Cell(row, col).setText(ToQ(text));
}

QColor GridControl::CellForeColor(int row, int col) const {
    const QBrush brush = Cell(row, col).foreground();
    return brush.style() == Qt::NoBrush ? foreColor_ : brush.color();
}

void GridControl::CellForeColor(int row, int col, const QColor& color) {
    Cell(row, col).setForeground(color);
}

QColor GridControl::CellBackColor(int row, int col) const {
    const QBrush brush = Cell(row, col).background();
    return brush.style() == Qt::NoBrush ? backColor_ : brush.color();
}

void GridControl::CellBackColor(int row, int col, const QColor& color) {
    Cell(row, col).setBackground(color);
}

void GridControl::CellAlignment(int row, int col, Qt::Alignment alignment) {
    Cell(row, col).setTextAlignment(alignment);
}

void GridControl::MergeCells(int row, int col, int rowSpan, int colSpan) {
    Check(row, col);
    Check(row + rowSpan - 1, col + colSpan - 1);
    setSpan(row, col, rowSpan, colSpan);
}

CellCheck GridControl::CellCheckState(int row, int col) const {
    const QVariant state = Cell(row, col).data(Qt::CheckStateRole);
    if (!state.isValid()) return CellCheck::None;
    return state.toInt() == Qt::Checked ? CellCheck::Checked : CellCheck::Unchecked;
}

void GridControl::CellCheckState(int row, int col, CellCheck state) {
    QTableWidgetItem& cell = Cell(row, col);
    if (state == CellCheck::None)
        cell.setData(Qt::CheckStateRole, QVariant());
    else
        cell.setCheckState(state == CellCheck::Checked ? Qt::Checked : Qt::Unchecked);
}

std::string GridControl::CellChoiceList(int row, int col) const {
    return FromQ(Cell(row, col).data(ChoiceListRole).toString());
}

void GridControl::CellChoiceList(int row, int col, const std::string& list) {
    Cell(row, col).setData(ChoiceListRole, ToQ(list));
}

bool GridControl::IsReadOnlyCell(int row, int col) const {
    Check(row, col);
    return row < fixedRows_ || CellForeColor(row, col) == foreColorFixed_;
}

void GridControl::AutoSizeColumns() { resizeColumnsToContents(); }

void GridControl::Select(int row, int col) {
    Check(row, col);
    if (!LeaveEditFor(model()->index(row, col))) return;
    setCurrentCell(row, col);
}

std::string GridControl::EditText() const {
    if (auto* line = qobject_cast<QLineEdit*>(editor_.data())) return FromQ(line->text());
    if (auto* combo = qobject_cast<QComboBox*>(editor_.data())) return FromQ(combo->currentText());
    return {};
}

void GridControl::EditText(const std::string& text) {
    if (auto* line = qobject_cast<QLineEdit*>(editor_.data())) line->setText(ToQ(text));
    if (auto* combo = qobject_cast<QComboBox*>(editor_.data()))
        combo->setCurrentIndex(combo->findText(ToQ(text)));
}

bool GridControl::EditCell(int row, int col) {
    Check(row, col);
    if (editor_) return EditRow() == row && EditCol() == col;
    Select(row, col);
    return edit(model()->index(row, col), AllEditTriggers, nullptr) && editor_;
}

bool GridControl::FinishEditing() {
    EndEdit(QAbstractItemDelegate::NoHint);
    return !editor_;
}

void GridControl::CancelEditing() {
    if (!editor_) return;
    refused_ = false;
    accepted_ = false;
    closeEditor(editor_, QAbstractItemDelegate::RevertModelCache);
}

bool GridControl::CanEditText(int row, int col) const {
    return isEnabled() && row >= 0 && row < rowCount() && col >= 0 && col < columnCount() &&
           !isColumnHidden(col) && !IsReadOnlyCell(row, col) &&
           CellCheckState(row, col) == CellCheck::None;
}

bool GridControl::CanToggle(int row, int col) const {
    return isEnabled() && !isColumnHidden(col) && !IsReadOnlyCell(row, col) &&
           CellCheckState(row, col) != CellCheck::None;
}

bool GridControl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid()) return false;
    if (editor_) {
        // One edit at a time; asking again for the cell being edited gives it the focus.
        return index == editIndex_ ? QTableWidget::edit(index, trigger, event) : false;
    }
    const bool starts = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (!starts) return QTableWidget::edit(index, trigger, event);
    return StartEdit(index, trigger, event);
}

bool GridControl::StartEdit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const int row = index.row();
    const int col = index.column();
    if (!CanEditText(row, col) || Busy() || inHandler_) return false;
    if (BeforeEdit) {
        bool cancel = false;
        {
            const FlagScope handling(inHandler_);
            BeforeEdit(row, col, cancel);
        }
        if (cancel || !CanEditText(row, col)) return false;
    }
    refused_ = false;
    accepted_ = false;
    editIndex_ = index;
    if (!QTableWidget::edit(index, trigger == AllEditTriggers ? AllEditTriggers : trigger, event) ||
        !editor_) {
        editIndex_ = QPersistentModelIndex();
        editor_ = nullptr;
        return false;
    }
    return true;
}

void GridControl::EditorOpened(QWidget* editor, const QModelIndex& index) {
    editor_ = editor;
    editIndex_ = index;
}

void GridControl::EditorTextChanged() {
    if (loadingEditor_ || !editor_ || Busy() || !ChangeEdit) return;
    ChangeEdit(EditRow(), EditCol());
}

void GridControl::RaiseKeyPress(int& key) {
    if (!editor_ || Busy() || !KeyPressEdit) return;
    KeyPressEdit(EditRow(), EditCol(), key);
}

void GridControl::commitData(QWidget* editor) {
    if (!editor || editor != editor_ || inHandler_) return;
    const int row = EditRow();
    const int col = EditCol();
    std::string text = EditText();
    bool cancel = false;
    if (ValidateEdit && !Busy()) {
        const FlagScope handling(inHandler_);
        ValidateEdit(row, col, cancel, text);
    }
    if (editor != editor_) return;  // the handler ended the edit itself
    refused_ = cancel;
    if (cancel) return;
    Cell(row, col).setText(ToQ(text));
    accepted_ = true;
}

void GridControl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (!editor || editor != editor_) {
        QTableWidget::closeEditor(editor, hint);
        return;
    }
    if (inHandler_) return;  // a handler's message box took the focus; the edit goes on
    if (refused_) {
        refused_ = false;
        if (refusal_ == RefusalMode::KeepEditing) return;  // open, with the typed text
        accepted_ = false;
    }
    const int row = EditRow();
    const int col = EditCol();
    const bool accepted = accepted_;
    editor_ = nullptr;
    editIndex_ = QPersistentModelIndex();
    accepted_ = false;
    QTableWidget::closeEditor(editor, accepted ? QAbstractItemDelegate::SubmitModelCache
                                               : QAbstractItemDelegate::RevertModelCache);
    if (accepted && AfterEdit && !Busy()) AfterEdit(row, col);
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        const QModelIndex next =
            moveCursor(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
        if (next.isValid()) setCurrentIndex(next);
    }
}

void GridControl::EndEdit(QAbstractItemDelegate::EndEditHint hint) {
    if (!editor_) return;
    QWidget* editor = editor_;
    commitData(editor);
    closeEditor(editor, hint);
}

bool GridControl::LeaveEditFor(const QModelIndex& target) {
    if (!editor_ || (target.isValid() && target == editIndex_)) return true;
    FinishEditing();
    if (!editor_) return true;
    editor_->setFocus();
    return false;
}

void GridControl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (current.isValid() && current != previous && currentIndex() == current && RowColChange &&
        !Busy())
        RowColChange(current.row(), current.column());
}

void GridControl::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (editor_ && !LeaveEditFor(index)) {
        event->accept();
        return;
    }
    pressedIndex_ = event->button() == Qt::LeftButton ? QPersistentModelIndex(index) : QPersistentModelIndex();
    QTableWidget::mousePressEvent(event);
}

void GridControl::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (editor_ && !LeaveEditFor(index)) {
        event->accept();
        return;
    }
    // The second click of a double click toggles a check box again, as on any check box.
    if (event->button() == Qt::LeftButton && index.isValid() &&
        CellCheckState(index.row(), index.column()) != CellCheck::None) {
        pressedIndex_ = index;
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

void GridControl::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && index.isValid() && index == pressedIndex_;
    pressedIndex_ = QPersistentModelIndex();
    QTableWidget::mouseReleaseEvent(event);
    if (!click || editor_) return;
    const int row = index.row();
    const int col = index.column();
    if (CellCheckState(row, col) != CellCheck::None) ToggleByUser(row, col);
    if (Click && !Busy()) Click(row, col);
}

void GridControl::keyPressEvent(QKeyEvent* event) {
    if (editor_) {
        // Keys the editor does not use that move to another cell end the edit first.
        if (IsNavigationKey(event->key()) && !FinishEditing()) {
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
        return;
    }
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && current.isValid() &&
        CellCheckState(current.row(), current.column()) != CellCheck::None) {
        ToggleByUser(current.row(), current.column());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void GridControl::ToggleByUser(int row, int col) {
    if (!CanToggle(row, col) || Busy() || inHandler_) return;
    if (BeforeEdit) {
        bool cancel = false;
        {
            const FlagScope handling(inHandler_);
            BeforeEdit(row, col, cancel);
        }
        if (cancel || !CanToggle(row, col)) return;
    }
    CellChecked(row, col, !CellChecked(row, col));
    if (AfterEdit && !Busy()) AfterEdit(row, col);
}

}  // namespace tz::ui
