#include "config/SleepCommand.h"

#include "config/ConfigFrames.h"
#include "link/SerialLink.h"

void cmdSleep_Click(SerialLink& link)
{
    link.SendMessageToTransceiver(BuildSetSleepModeFrame(), false);
    link.state().bWakeupNeeded = true;
}
