#pragma once

#include <QString>

class QWidget;

// The file an export of type `extension` ("csv", "png") is to write, from the path the
// user chose: named by ExportFileName; a folder is refused with a message (titled
// `title`); an existing file is written over only when the user agrees. "" when
// nothing is to be written.
QString ConfirmExportTarget(QWidget* parent, const QString& title, const QString& chosen,
                            const QString& extension);
