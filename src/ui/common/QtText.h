#pragma once
// Texts cross the window boundary here: the core speaks UTF-8 std::string, Qt speaks QString.
#include <QString>
#include <string>
#include <vector>

#include "text/Catalogue.h"

namespace tz::ui {

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQ(const QString& text) { return text.toStdString(); }

// A catalogue text ready for a label or caption: escapes expanded, CR LF line breaks as Qt's "\n".
inline QString Msg(int number, const std::vector<std::string>& args = {}) {
    QString text = ToQ(LoadMessage(number, args));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace tz::ui
