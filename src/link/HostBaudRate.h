#pragma once

class SerialLink;
class StatusPanels;

// After a baud-rate change the host waits one character time at the new rate plus
// two seconds before it talks again: 2010, 2005, 2002 or 2001 ms.
int BaudRateChangeWaitMs(int rate);

// The module has acknowledged Set Baudrate at the old rate and switches now: the host
// stores the rate of rateIndex (0 = 9600 .. 3 = 57600) when it changed, reopens its port
// at it, waits while serving events, then shows port and rate in the status bar.
void FollowModuleToBaudRate(SerialLink& link, StatusPanels& status, int rateIndex);

// Panels 1 to 3 for a link in use: "Comm Port: n", "Baud Rate: r", "Status:".
void ReportLinkInUse(const SerialLink& link, StatusPanels& status);
