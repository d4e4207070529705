#include "link/LoggerImage.h"

#include "link/uclTzif.h"

namespace tz {

LoggerImageResult DownloadLoggerImage(uclTzif& link, clsInstrument* record, const std::string& imageFile,
                                      const std::function<void()>& beforeSecondAttempt) {
    LoggerImageResult result;
    Integer first = 0;
    Integer last = uclTzif::DumpBlockCount - 1;
    link.Cancel(false);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        result.Attempts = attempt;
        if (attempt == 2) {
            result.ResumedFrom = first;
            if (beforeSecondAttempt) beforeSecondAttempt();
            // The link's timer set Cancel with BinaryRetry when the block timed out.
            link.Cancel(false);
        }
        link.BinaryRetry(false);
        if (!link.GetRomNo(record)) {
            result.Cancelled = link.Cancel() && !link.BinaryRetry();
            return result;
        }
        if (link.GetBinDump(imageFile, first, last)) {
            result.Ok = true;
            return result;
        }
        // Only a block timeout earns the second attempt; a cancel or a port failure ends here.
        if (!link.BinaryRetry()) {
            result.Cancelled = link.Cancel();
            return result;
        }
    }
    return result;
}

}  // namespace tz
