#pragma once
// The splash window: shown modally at start, it closes itself 2.5 seconds after it loaded.
// A double click on it shows "Pause!!" and holds it while that box is open.
#include <QDialog>

#include "ui/common/Form.h"
#include "ui/common/UiContext.h"
#include "ui/common/WindowTimer.h"

class QFrame;
class QLabel;

namespace tz::ui {

class frmOpen : public QDialog, public Form {
    Q_OBJECT

public:
    static constexpr int SplashMs = 2500;

    explicit frmOpen(UiContext& context, QWidget* parent = nullptr);

    const WindowTimer& tmrTimer() const { return tmrTimer_; }

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tmrTimer_Timer();
    void fraOpen_DblClick();

    UiContext& context_;
    WindowTimer tmrTimer_;
    QFrame* fraOpen_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblPCs_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblCompany_ = nullptr;
};

}  // namespace tz::ui
