// The configuration subsystem's place in the main window: the "IDs", "RF Settings",
// "Comm" and "Factory Calibration" pages, the firmware version frame, and their
// response handlers.
#include "link/Discovery.h"
#include "link/SerialLink.h"
#include "protocol/MessageCatalogue.h"
#include "ui/frmQVOrvalisETMain.h"

void frmQVOrvalisETMain::installConfigPages()
{
    m_link->receive().dispatcher().registerHandler(MessageCode::Ids,
                                                   [this] { HandleIdsReplyDuringSearch(*m_link); });
}

void frmQVOrvalisETMain::ShowLoadedConfigSettings() {}
