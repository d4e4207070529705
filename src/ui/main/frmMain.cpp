#include "ui/main/frmMain.h"

#include "app/WindowTexts.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

frmMain::frmMain(UiContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("frmMain"));
    setCentralWidget(new QWidget(this));
}

void frmMain::Form_Load() {
    setWindowTitle(ToQ(MainWindowTitle(context_.Program().FactoryMode)));
    setAccessibleName(windowTitle());
    CopyFontToControls(context_.Program().ProgramFont, *this);
    resize(800, 600);
    CentreOnScreen(*this);
}

std::unique_ptr<QWidget> CreateMainWindow(UiContext& context) {
    return std::make_unique<frmMain>(context);
}

}  // namespace tz::ui
