// Test mode's place in the main window: the "Test Settings" page with the register
// editor and the test mode commands.
#include "ui/frmQVOrvalisETMain.h"

void frmQVOrvalisETMain::installTestModePage() {}

void frmQVOrvalisETMain::InitTestModeAtStartUp() {}
