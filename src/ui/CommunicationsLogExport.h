#pragma once

#include <QString>

class QWidget;
class SessionHistory;

// "Export Communications Log...": asks for a file (starting in `startFolder`) and writes
// the whole session history into it as CSV. A file that exists is overwritten only
// when the user agrees; a name without an extension gets ".csv". A failed write says
// so in a message box and leaves any earlier file of that name as it was.
void ExportCommunicationsLog(QWidget* parent, const SessionHistory& history,
                             const QString& startFolder);
