#pragma once
// What the calibration window's live plot shows: each channel's readings from the gas poll over
// the last minutes, as shares of the channel's full scale so that gases of different units share
// one axis. Status words and "no value" (-101 and below) are gaps, not points.
#include <array>
#include <deque>

#include "text/Types.h"

namespace tz {

class ReadingTrace {
public:
    struct Point {
        double Seconds = 0;  // time of the reading
        double Share = 0;    // reading / full scale (1 = full scale)
    };

    explicit ReadingTrace(double spanSeconds = 300) : span_(spanSeconds) {}

    double SpanSeconds() const { return span_; }
    // Adds one poll's readings: a point for every shown channel with a numeric reading and a
    // positive full scale. Points older than the span before `seconds` are dropped.
    void Add(double seconds, const std::array<Single, 6>& readings, const std::array<Single, 6>& fullScales,
             const std::array<bool, 6>& shown);
    const std::deque<Point>& Points(int channel) const { return points_.at(static_cast<std::size_t>(channel)); }
    // The time of the newest poll added (0 before any).
    double Newest() const { return newest_; }
    void Clear();

    // The axis of the shares shown: it covers 0 and every point, with a tenth of the range as
    // margin above (and below when a point is negative), and is at least 0.1 tall.
    struct Range {
        double Low = 0;
        double High = 1;
    };
    Range ShareRange() const;

private:
    double span_;
    double newest_ = 0;
    std::array<std::deque<Point>, 6> points_{};
};

}  // namespace tz
