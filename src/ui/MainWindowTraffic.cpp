// The traffic tester's place in the main window: the "RF Data" panel, the
// "Statistics" page, the message log file and their response handlers.
#include "ui/frmQVOrvalisETMain.h"

void frmQVOrvalisETMain::installTrafficPages() {}

void frmQVOrvalisETMain::LimitRfDataEntry() {}

void frmQVOrvalisETMain::ClearMessageLogState() {}

void frmQVOrvalisETMain::ShowLoadedTrafficSettings() {}

void frmQVOrvalisETMain::WriteLogEndAtShutDown() {}
