#pragma once
// Small helpers every window uses: the program font, the enabled look of text fields and lists,
// finding an open window by name, filling a grid column, centring, and control names.
#include <QFont>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "app/modMain.h"

namespace tz::ui {

class GridControl;

// The font of a description: name, size in points, bold, italic, underline, strikethrough and
// weight (the weight last, so it wins over the bold flag as it does when the attributes are
// copied in turn). The character set has no Qt counterpart: Qt finds the glyphs of every script
// itself.
QFont ToQFont(const FontDescription& description);

// Copies the eight attributes of `source` onto the target font, or onto the target control.
void CopyFont(const FontDescription& source, QFont& target);
void CopyFont(const FontDescription& source, QWidget& target);
// Onto a window and every control in it.
void CopyFontToControls(const FontDescription& source, QWidget& window);

// Enables or disables a text field or list and gives it the matching colours: enabled, the
// window background and window text colours; disabled, the button face and the grey text.
void SetControlEnabled(QWidget& control, bool enabled);

// The open (shown) top-level window whose name (objectName) is exactly `name`, or nullptr. A
// window that has closed, or is waiting to be deleted, does not count.
QWidget* FindFormByName(const std::string& name);

// Writes value i into row startRow + i of the column, not beyond the grid's last row; with
// fillRest, the rows left below get the last value written.
void FillGridColumn(GridControl& grid, int col, int startRow, bool fillRest,
                    const std::vector<std::string>& values);

// Places the window in the middle of the screen it is on (the primary screen before it shows).
void CentreOnScreen(QWidget& window);

// The control's name (its objectName, which tests find it by) and the name a screen reader reads.
void NameControl(QWidget& control, const char* objectName, const QString& accessibleName);

}  // namespace tz::ui
