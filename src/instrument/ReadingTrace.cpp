#include "instrument/ReadingTrace.h"

#include <algorithm>

namespace tz {

namespace {
// Readings at or below -101 are markers: no value or a status word.
constexpr Single kLowestReading = -100.5f;
constexpr double kMinimumHeight = 0.1;
}  // namespace

void ReadingTrace::Add(double seconds, const std::array<Single, 6>& readings, const std::array<Single, 6>& fullScales,
                       const std::array<bool, 6>& shown) {
    newest_ = seconds;
    for (std::size_t ch = 0; ch < points_.size(); ++ch) {
        auto& points = points_[ch];
        if (shown[ch] && readings[ch] > kLowestReading && fullScales[ch] > 0)
            points.push_back({seconds, static_cast<double>(readings[ch]) / static_cast<double>(fullScales[ch])});
        while (!points.empty() && points.front().Seconds < seconds - span_) points.pop_front();
    }
}

void ReadingTrace::Clear() {
    newest_ = 0;
    for (auto& points : points_) points.clear();
}

ReadingTrace::Range ReadingTrace::ShareRange() const {
    double low = 0, high = 0;
    for (const auto& points : points_)
        for (const Point& p : points) {
            low = std::min(low, p.Share);
            high = std::max(high, p.Share);
        }
    const double margin = (high - low) / 10;
    Range range{low < 0 ? low - margin : 0.0, high + margin};
    if (range.High - range.Low < kMinimumHeight) range.High = range.Low + kMinimumHeight;
    return range;
}

}  // namespace tz
