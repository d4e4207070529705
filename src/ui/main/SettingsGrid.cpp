#include "ui/main/SettingsGrid.h"

#include <QUndoStack>

namespace tz::ui {

SettingsGrid::SettingsGrid(UiContext& context, QWidget* parent)
    : GridControl(parent), context_(context), undo_(new QUndoStack(this)) {
    setObjectName("vfgOption");
}

SettingsGrid::~SettingsGrid() = default;

void SettingsGrid::ShowRecord() {
    // The layouts and their filling are built in the settings grid's own change; until then the
    // grid stays empty and disabled, so nothing can be edited by mistake.
    undo_->clear();
    setEnabled(false);
}

QUndoStack& SettingsGrid::UndoStack() { return *undo_; }

}  // namespace tz::ui
