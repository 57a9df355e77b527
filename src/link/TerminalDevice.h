#pragma once

// What the system tells of a device file beyond whether it opened: questions asked
// after a failure, so that the user hears what happened rather than a left-over errno.

// The terminal open as `fd` has hung up: its adapter was pulled out, or the other side
// of a pseudo-terminal closed. Does not wait.
bool HasHungUp(int fd);
