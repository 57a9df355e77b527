#include "config/SleepCommand.h"

#include "config/ConfigFrames.h"
#include "link/LinkSession.h"

void cmdSleep_Click(LinkSession& link)
{
    link.SendMessageToTransceiver(BuildSetSleepModeFrame(), false);
    link.state().bWakeupNeeded = true;
}
