#include "ui/common/WindowHelpers.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <algorithm>

#include "ui/common/QtText.h"
#include "ui/grid/GridControl.h"

namespace tz::ui {

QFont ToQFont(const FontDescription& description) {
    QFont font;
    CopyFont(description, font);
    return font;
}

void CopyFont(const FontDescription& source, QFont& target) {
    target.setBold(source.Bold);
    target.setItalic(source.Italic);
    target.setFamily(ToQ(source.Name));
    if (source.Size > 0) target.setPointSizeF(source.Size);
    target.setStrikeOut(source.Strikethrough);
    target.setUnderline(source.Underline);
    const int weight = std::clamp<int>(source.Weight, 1, 1000);
    target.setWeight(static_cast<QFont::Weight>(weight));
}

void CopyFont(const FontDescription& source, QWidget& target) {
    QFont font = target.font();
    CopyFont(source, font);
    target.setFont(font);
}

void CopyFontToControls(const FontDescription& source, QWidget& window) {
    CopyFont(source, window);
    for (QWidget* control : window.findChildren<QWidget*>()) CopyFont(source, *control);
}

void SetControlEnabled(QWidget& control, bool enabled) {
    control.setEnabled(enabled);
    const QPalette system = QApplication::palette();
    const QColor back = enabled ? system.color(QPalette::Active, QPalette::Base)
                                : system.color(QPalette::Active, QPalette::Button);
    const QColor text = enabled ? system.color(QPalette::Active, QPalette::Text)
                                : system.color(QPalette::Disabled, QPalette::Text);
    QPalette palette = control.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Text, text);
    }
    control.setPalette(palette);
}

QWidget* FindFormByName(const std::string& name) {
    const QString wanted = ToQ(name);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == wanted && window->isVisible()) return window;
    return nullptr;
}

void FillGridColumn(GridControl& grid, int col, int startRow, bool fillRest,
                    const std::vector<std::string>& values) {
    int row = startRow;
    for (const std::string& value : values) {
        if (row >= grid.Rows()) return;
        grid.CellText(row++, col, value);
    }
    if (!fillRest || values.empty()) return;
    for (; row < grid.Rows(); ++row) grid.CellText(row, col, values.back());
}

void CentreOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window.adjustSize();
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
}

void NameControl(QWidget& control, const char* objectName, const QString& accessibleName) {
    control.setObjectName(QString::fromUtf8(objectName));
    control.setAccessibleName(accessibleName);
}

}  // namespace tz::ui
