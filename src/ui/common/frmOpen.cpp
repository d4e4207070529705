#include "ui/common/frmOpen.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "app/WindowTexts.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHelpers.h"

namespace tz::ui {

namespace {

// The splash picture: a hand-held six-channel detector, drawn so that it is sharp at any scale.
class InstrumentPicture : public QWidget {
public:
    explicit InstrumentPicture(QWidget* parent) : QWidget(parent) {
        const int em = fontMetrics().height();
        setFixedSize(em * 4, em * 6);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        const qreal w = r.width();
        const qreal h = r.height();
        QPainterPath body;
        body.addRoundedRect(r, w * 0.18, w * 0.18);
        p.fillPath(body, QColor(40, 56, 72));
        p.setPen(QPen(QColor(250, 200, 0), w * 0.04));
        p.drawPath(body);
        // The display with six channel bars.
        const QRectF display(r.left() + w * 0.14, r.top() + h * 0.12, w * 0.72, h * 0.36);
        p.fillRect(display, QColor(170, 220, 170));
        const qreal bar = display.width() / 13.0;
        for (int i = 0; i < 6; ++i) {
            const qreal height = display.height() * (0.3 + 0.1 * ((i * 3) % 6));
            p.fillRect(QRectF(display.left() + bar * (1 + 2 * i), display.bottom() - height - bar,
                              bar, height),
                       QColor(30, 70, 30));
        }
        // Three keys and the sensor grille.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 205, 210));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(r.left() + w * (0.25 + 0.25 * i), r.top() + h * 0.6), w * 0.08, w * 0.08);
        p.setBrush(QColor(20, 28, 36));
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(r.left() + w * 0.22, r.top() + h * (0.72 + 0.05 * i), w * 0.56,
                                     h * 0.025),
                              2, 2);
    }
};

QLabel* SplashLabel(QWidget* parent, const char* name, const QString& text, qreal scale, bool bold) {
    auto* label = new QLabel(text, parent);
    NameControl(*label, name, text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QFrame* BorderLine(QWidget* parent, const char* name) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromUtf8(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

frmOpen::frmOpen(UiContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), context_(context), tmrTimer_(context.Loop()) {
    setObjectName(QStringLiteral("frmOpen"));
    setWindowTitle(ToQ(MainTitle()));
    setAccessibleName(ToQ(MainTitle()));

    fraOpen_ = new QFrame(this);
    NameControl(*fraOpen_, "fraOpen", ToQ(MainTitle()));
    fraOpen_->setFrameShape(QFrame::Box);
    fraOpen_->setFrameShadow(QFrame::Raised);
    fraOpen_->setLineWidth(2);
    fraOpen_->installEventFilter(this);

    lblTitle_ = SplashLabel(fraOpen_, "lblTitle", QStringLiteral("TZ-7300 Setup Program"), 1.9, true);
    lblPCs_ = SplashLabel(fraOpen_, "lblPCs", QStringLiteral("for Windows"), 1.3, false);
    lblVersion_ = SplashLabel(fraOpen_, "lblVersion", QString(), 1.0, false);
    lblCompany_ = SplashLabel(fraOpen_, "lblCompany", QString(), 1.1, true);
    auto* picture = new InstrumentPicture(fraOpen_);
    NameControl(*picture, "imgOpen", QStringLiteral("TZ-7300"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(fontMetrics().height() / 3);
    texts->addWidget(BorderLine(fraOpen_, "linOpen(0)"));
    texts->addWidget(lblTitle_);
    texts->addWidget(lblPCs_);
    texts->addWidget(BorderLine(fraOpen_, "linOpen(1)"));
    texts->addStretch(1);
    texts->addWidget(lblVersion_);
    texts->addWidget(lblCompany_);

    auto* inside = new QHBoxLayout(fraOpen_);
    const int margin = fontMetrics().height();
    inside->setContentsMargins(margin, margin, margin * 2, margin);
    inside->setSpacing(margin);
    inside->addWidget(picture, 0, Qt::AlignTop);
    inside->addLayout(texts, 1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(fraOpen_);
}

void frmOpen::Form_Load() {
    lblVersion_->setText(ToQ(SplashVersionText()));
    lblVersion_->setAccessibleName(lblVersion_->text());
    lblCompany_->setText(ToQ(SplashCompanyText()));
    lblCompany_->setAccessibleName(lblCompany_->text());
    CentreOnScreen(*this);
    tmrTimer_.OnTick([this] { tmrTimer_Timer(); });
    tmrTimer_.Interval(SplashMs);
    tmrTimer_.Enabled(true);
}

void frmOpen::tmrTimer_Timer() {
    tmrTimer_.Enabled(false);
    done(QDialog::Accepted);
}

bool frmOpen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fraOpen_ && event->type() == QEvent::MouseButtonDblClick) {
        fraOpen_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmOpen::fraOpen_DblClick() {
    // The splash waits while the box is open and shows its full time again afterwards.
    const bool running = tmrTimer_.Enabled();
    tmrTimer_.Enabled(false);
    context_.Dialogs().MsgBox("Pause!!", "Pause", MsgIcon::Information, MsgButtons::Ok);
    if (running && isVisible()) tmrTimer_.Enabled(true);
}

}  // namespace tz::ui
