#pragma once

#include <functional>

// The one way this program waits: a local event loop that keeps the window, the
// timers and the serial port serviced until `done` holds or `timeoutMs` passes.
// Other handlers run during the wait; callers must expect that. Returns whether
// `done` held when the wait ended (false on time-out or when the program quits).
bool WaitWhileProcessingEvents(const std::function<bool()>& done, int timeoutMs);

// Waits `ms` milliseconds while processing events.
void PauseWhileProcessingEvents(int ms);

// For fuzz targets and tests: called at the start of every wait that does not end at
// once, where events arriving during the wait would be handled; it may act as those
// events would and end the wait. An empty function removes it.
void SetWaitStartedHookForTesting(std::function<void()> hook);
