#pragma once
// Loads on a worker thread, so that the window answers while a large file is
// read: the event loop asks for a load, goes on drawing the data it has, and
// takes the new data set over when the load is done. Only the reading runs on
// the worker; the data set is replaced on the event loop's thread.

#include <memory>
#include <string>

#include "ui/file_load.h"

// Whether loads run on a worker thread; false (the start) reads on the caller's
// thread before returning. The window sets it.
extern bool background_loads;

// A load is waited for this long before the window answers input again, so that
// a small file is shown in the frame after the click; the window then answers
// within a fifth of a second whatever the file.
constexpr double kLoadWaitSeconds = 0.1;
// A load that runs longer than this shows its progress.
constexpr double kLoadShownSeconds = 0.5;

// Called on the event loop's thread with a load that is done, loaded or not.
using LoadDone = void (*)(FileLoad& load);

// Runs `load`, then `done` on it: at once, or (with background_loads) from a later
// finish_done_load(). A load still running is cancelled and finished first.
void start_file_load(std::unique_ptr<FileLoad> load, LoadDone done);

// On the event loop's thread: finishes the running load if it is done. True when
// one finished.
bool finish_done_load();

// The load running on the worker, or null; how long it has run, in seconds.
const FileLoad* running_load();
double running_load_seconds();
// Whether the running load has finished reading (finish_done_load takes it over).
bool running_load_done();

// Asks the running load to stop; it finishes as a refusal ("the load was
// cancelled") and the data before it stay.
void cancel_file_load();

// Waits for the running load and finishes it, calling `report` with its
// fraction about every `every` seconds meanwhile.
void wait_for_file_load(double every, void (*report)(const FileLoad& load));
