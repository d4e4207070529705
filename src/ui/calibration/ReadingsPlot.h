#pragma once
// The calibration window's live plot: each selected channel's reading over the last minutes, as a
// share of its full scale, so that a span gas can be seen settling. Drawn with QPainter; the
// samples live in a ReadingTrace (core) that the window feeds from the gas poll.
#include <QColor>
#include <QString>
#include <QWidget>
#include <array>

#include "instrument/ReadingTrace.h"

namespace tz::ui {

class ReadingsPlot : public QWidget {
    Q_OBJECT

public:
    explicit ReadingsPlot(QWidget* parent = nullptr);

    ReadingTrace& Trace() { return trace_; }
    const ReadingTrace& Trace() const { return trace_; }
    // The legend's name of each channel (empty: not listed).
    void Names(const std::array<QString, 6>& names);
    void Caption(const QString& caption) { caption_ = caption; update(); }
    static QColor ChannelColour(int channel);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ReadingTrace trace_;
    std::array<QString, 6> names_;
    QString caption_;
};

}  // namespace tz::ui
