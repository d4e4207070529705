#pragma once
// The bounded delete-and-wait on the program's event loop. Between two looks at the file the loop
// runs its events for a short pause (timers, received bytes, window events), so the program stays
// live while it waits; on a VirtualEventLoop the pauses pass on the virtual clock, without sleeping.
//
//   const SerialLogOutcome logs = PrepareSerialLog(folder, keep, DeleteWaitOnLoop(loop));
#include "link/IEventLoop.h"
#include "text/FileDeletion.h"

namespace tz {

// Looks for the file about every pauseMs for at most limitMs (at least once). The loop must
// outlive the returned wait.
DeleteWait DeleteWaitOnLoop(IEventLoop& loop, int limitMs = 2000, int pauseMs = 10);

}  // namespace tz
