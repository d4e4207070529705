#include "ui/calibration/ReadingsPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <cmath>

namespace tz::ui {

ReadingsPlot::ReadingsPlot(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ReadingsPlot::Names(const std::array<QString, 6>& names) {
    names_ = names;
    update();
}

QColor ReadingsPlot::ChannelColour(int channel) {
    static const QColor colours[6] = {QColor(200, 40, 40),  QColor(30, 100, 200), QColor(200, 140, 0),
                                      QColor(20, 140, 60),  QColor(140, 50, 170), QColor(90, 90, 90)};
    return colours[channel < 0 || channel > 5 ? 5 : channel];
}

QSize ReadingsPlot::sizeHint() const {
    const int em = fontMetrics().height();
    return {em * 26, em * 11};
}

QSize ReadingsPlot::minimumSizeHint() const {
    const int em = fontMetrics().height();
    return {em * 16, em * 7};
}

void ReadingsPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int em = metrics.height();
    const QString topLabel = QStringLiteral("100%");
    const int left = metrics.horizontalAdvance(topLabel) + em / 2;
    // Caption on top, legend at the bottom.
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(0, 0, width(), em), Qt::AlignLeft | Qt::AlignVCenter, caption_);
    const QRect area(left, em + em / 3, width() - left - em / 2, height() - 3 * em - em / 3);
    if (area.width() < 10 || area.height() < 10) return;

    const ReadingTrace::Range range = trace_.ShareRange();
    const auto y = [&](double share) {
        return area.bottom() - (share - range.Low) / (range.High - range.Low) * area.height();
    };
    const double span = trace_.SpanSeconds();
    const double end = trace_.Newest();
    const auto x = [&](double seconds) { return area.left() + (seconds - (end - span)) / span * area.width(); };

    // Frame and grid: lines at 0 and at every quarter of full scale in the range.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    for (double share = 0; share <= range.High + 1e-9; share += 0.25) {
        if (share < range.Low) continue;
        const int yy = static_cast<int>(std::lround(y(share)));
        painter.setPen(QPen(palette().color(QPalette::Midlight), 1, share == 0 ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(area.left(), yy, area.right(), yy);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, yy - em / 2, left - em / 4, em), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1%").arg(static_cast<int>(std::lround(share * 100))));
    }

    painter.save();
    painter.setClipRect(area);
    for (int ch = 0; ch < 6; ++ch) {
        const auto& points = trace_.Points(ch);
        if (points.empty()) continue;
        QPainterPath path;
        path.moveTo(x(points.front().Seconds), y(points.front().Share));
        for (const auto& p : points) path.lineTo(x(p.Seconds), y(p.Share));
        painter.setPen(QPen(ChannelColour(ch), 2));
        painter.drawPath(path);
        if (points.size() == 1) painter.drawEllipse(QPointF(x(points.front().Seconds), y(points.front().Share)), 2, 2);
    }
    painter.restore();

    // Legend: a colour mark and the name of every listed channel, in one line.
    int lx = area.left();
    const int ly = area.bottom() + em / 2;
    for (int ch = 0; ch < 6; ++ch) {
        if (names_[static_cast<std::size_t>(ch)].isEmpty()) continue;
        painter.fillRect(QRect(lx, ly + em / 3, em, em / 3), ChannelColour(ch));
        lx += em + em / 4;
        const QString& name = names_[static_cast<std::size_t>(ch)];
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(lx, ly, metrics.horizontalAdvance(name) + 2, em), Qt::AlignLeft | Qt::AlignVCenter, name);
        lx += metrics.horizontalAdvance(name) + em;
    }
}

}  // namespace tz::ui
