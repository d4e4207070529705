#include "link/LoopDeleteWait.h"

#include <algorithm>
#include <memory>

namespace tz {

DeleteWait DeleteWaitOnLoop(IEventLoop& loop, int limitMs, int pauseMs) {
    pauseMs = std::max(1, pauseMs);
    DeleteWait wait;
    wait.Checks = std::max(1, limitMs / pauseMs);
    wait.Between = [&loop, pauseMs] {
        // Shared, so that a pause left early (an event handler threw) leaves nothing dangling.
        const auto due = std::make_shared<bool>(false);
        loop.Post(pauseMs, [due] { *due = true; });
        while (!*due) loop.Yield();
    };
    return wait;
}

}  // namespace tz
