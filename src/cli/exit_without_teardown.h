#pragma once

// The end of a command that holds a large store in memory (update, run). Freeing a tree of
// tens of thousands of records node by node takes longer than writing it; the process's
// memory goes back to the system at once when it ends. So once every store is saved (and
// flushed to the disk) and every worker has ended, the command ends the process here instead
// of returning through the destructors. Main thread only.
//
// Builds checked by a sanitizer return normally instead: they must see every object freed.

namespace tarsel::cli {

// Flushes the output (FinishOutput) and ends the process with the resulting status, skipping
// destructors and exit handlers. Returns, doing nothing, in sanitizer builds.
void ExitWithoutTeardown(int status);

}  // namespace tarsel::cli
