#pragma once
// Drives a GridControl the way a user does, so that its events run as they do in the program:
// start an edit on a cell (F2), type keys into the editor (KeyPressEdit and ChangeEdit run),
// commit with Enter (ValidateEdit and AfterEdit run), pick an entry of a choice list, click a
// cell or its check box. The grid's window must be shown (offscreen) for clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "ui/grid/GridControl.h"

namespace tz::test {

// Makes the cell current and presses F2; true when an editor opened.
inline bool StartEdit(ui::GridControl& grid, int row, int col) {
    grid.setFocus();
    grid.Select(row, col);
    QTest::keyClick(&grid, Qt::Key_F2);
    return grid.IsEditing();
}

// Types into the open editor, key by key.
inline void TypeKeys(ui::GridControl& grid, const std::string& keys) {
    if (!grid.Editor()) {
        ADD_FAILURE() << "typing \"" << keys << "\" with no edit open";
        return;
    }
    QTest::keyClicks(grid.Editor(), QString::fromStdString(keys));
}

inline void PressKey(ui::GridControl& grid, Qt::Key key) {
    QWidget* target = grid.Editor() ? grid.Editor() : static_cast<QWidget*>(&grid);
    QTest::keyClick(target, key);
}

// Enter in the editor; true when the edit ended (accepted, or abandoned after a refusal).
inline bool Commit(ui::GridControl& grid) {
    if (!grid.Editor()) {
        ADD_FAILURE() << "commit with no edit open";
        return false;
    }
    QTest::keyClick(grid.Editor(), Qt::Key_Return);
    return !grid.IsEditing();
}

// Starts an edit, replaces the cell's text by typing, and commits; true when the edit ended.
inline bool TypeIntoCell(ui::GridControl& grid, int row, int col, const std::string& text) {
    if (!StartEdit(grid, row, col)) return false;
    QTest::keyClick(grid.Editor(), Qt::Key_A, Qt::ControlModifier);  // select all
    QTest::keyClick(grid.Editor(), Qt::Key_Delete);
    TypeKeys(grid, text);
    return Commit(grid);
}

// The entries the open choice-list editor offers.
inline std::vector<std::string> OfferedChoices(ui::GridControl& grid) {
    std::vector<std::string> entries;
    if (auto* combo = qobject_cast<QComboBox*>(grid.Editor()))
        for (int i = 0; i < combo->count(); ++i) entries.push_back(combo->itemText(i).toStdString());
    return entries;
}

// Opens the cell's choice list and picks the entry as a click on it in the drop-down list does;
// true when the entry was offered and the edit ended.
inline bool PickChoice(ui::GridControl& grid, int row, int col, const std::string& entry) {
    if (!StartEdit(grid, row, col)) return false;
    auto* combo = qobject_cast<QComboBox*>(grid.Editor());
    if (!combo) {
        ADD_FAILURE() << "cell (" << row << ", " << col << ") has no choice list";
        return false;
    }
    const int index = combo->findText(QString::fromStdString(entry));
    if (index < 0) {
        ADD_FAILURE() << "\"" << entry << "\" is not offered";
        return false;
    }
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return !grid.IsEditing();
}

// A left click in the middle of the cell.
inline void ClickCell(ui::GridControl& grid, int row, int col) {
    const QModelIndex index = grid.model()->index(row, col);
    grid.scrollTo(index);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.visualRect(index).center());
}

}  // namespace tz::test
