#pragma once

class LinkSession;

// Puts the module to sleep. The module is taken to be asleep whether or not the frame
// went out, so the next frame the host sends is preceded by the wake-up byte.
void cmdSleep_Click(LinkSession& link);
