#include "ui/ExportTarget.h"

#include "platform/ExportFileName.h"
#include "ui/widgets/UserPrompts.h"

#include <QDir>
#include <QFileInfo>

QString ConfirmExportTarget(QWidget* parent, const QString& title, const QString& chosen,
                            const QString& extension)
{
    const QString path = ExportFileName(chosen, extension, WhatPathHolds(chosen));
    switch (WhatPathHolds(path)) {
    case PathHolds::Folder:
        UserPrompts::ShowMessage(parent, title,
                                 QStringLiteral("%1 is a folder.  Choose a file name to write to.")
                                     .arg(QDir::toNativeSeparators(path)),
                                 UserPrompts::Icon::Exclamation);
        return {};
    case PathHolds::RegularFile:
        return UserPrompts::AskToOverwrite(parent, QFileInfo(path).fileName()) ? path : QString();
    case PathHolds::Nothing:
    case PathHolds::OtherFile:  // written into, not replaced: nothing there is lost
        break;
    }
    return path;
}
