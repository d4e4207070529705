#include "ui/common/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "text/FileFilter.h"
#include "ui/common/QtText.h"

namespace tz::ui {

namespace {

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Stop: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString DisplayText(const std::string& text) {
    QString shown = ToQ(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// The window a dialog belongs to: the active one, so that it opens over it.
QWidget* DialogOwner() { return QApplication::activeWindow(); }

}  // namespace

QtDialogs::~QtDialogs() {
    if (busy_) QApplication::restoreOverrideCursor();
}

MsgAnswer QtDialogs::MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                            MsgButtons buttons) {
    QMessageBox box(BoxIcon(icon), DisplayText(title), DisplayText(text), QMessageBox::NoButton,
                    DialogOwner());
    box.setTextFormat(Qt::PlainText);
    // The first button is the default one; Escape gives EscapeAnswer.
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // A busy pointer over a question would tell the user to wait instead of answering.
    const bool wasBusy = busy_;
    if (wasBusy) BusyPointer(false);
    const int answer = box.exec();
    if (wasBusy) BusyPointer(true);
    switch (answer) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return EscapeAnswer(buttons);
    }
}

std::string QtDialogs::OpenFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::string QtDialogs::SaveFileDialog(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::string QtDialogs::RunFileDialog(const FileDialogRequest& request, bool save) {
    const std::vector<FileFilterEntry> filters = ParseFileFilter(request.filter);
    QStringList nameFilters;
    for (const FileFilterEntry& entry : filters) nameFilters << ToQ(NameFilterText(entry));

    QFileDialog dialog(DialogOwner(), ToQ(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    if (!nameFilters.isEmpty()) dialog.setNameFilters(nameFilters);
    const int preselected = request.filterIndex - 1;
    auto suffixFor = [&filters](int index) {
        return index >= 0 && index < static_cast<int>(filters.size())
                   ? ToQ(DefaultSuffix(filters[static_cast<std::size_t>(index)]))
                   : QString();
    };
    if (preselected >= 0 && preselected < nameFilters.size()) {
        dialog.selectNameFilter(nameFilters[preselected]);
        if (save) dialog.setDefaultSuffix(suffixFor(preselected));
    }
    if (save) {
        // A name typed without an extension gets the one of the filter in use.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &nameFilters, suffixFor](const QString& filter) {
                             dialog.setDefaultSuffix(suffixFor(static_cast<int>(nameFilters.indexOf(filter))));
                         });
        if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!request.folder.empty()) dialog.setDirectory(ToQ(request.folder));
    if (!request.fileName.empty()) dialog.selectFile(ToQ(request.fileName));

    const bool wasBusy = busy_;
    if (wasBusy) BusyPointer(false);
    std::string chosen;
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        const QFileInfo info(path);
        const bool missing = save ? !info.absoluteDir().exists() : !info.exists();
        if (request.mustExist && missing) {
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 save ? QStringLiteral("The folder %1 does not exist.")
                                            .arg(QDir::toNativeSeparators(info.absolutePath()))
                                      : QStringLiteral("The file %1 does not exist.")
                                            .arg(QDir::toNativeSeparators(path)));
            continue;
        }
        chosen = FromQ(QDir::toNativeSeparators(info.absoluteFilePath()));
        break;
    }
    if (wasBusy) BusyPointer(true);
    return chosen;
}

void QtDialogs::Beep() { QApplication::beep(); }

void QtDialogs::BusyPointer(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace tz::ui
