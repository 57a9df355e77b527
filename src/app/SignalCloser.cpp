#include "app/SignalCloser.h"

#include <QApplication>
#include <QWidget>

namespace {

// The main window may still be starting up (searching for the module) when the
// signal comes, so it is looked up then, not remembered.
void CloseMainWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmQVOrvalisETMain") && window->isVisible()) {
            window->close();
            return;
        }
    }
    QCoreApplication::quit();
}

}  // namespace

SignalCloser::SignalCloser(QObject* parent) : QObject(parent)
{
    connect(&m_signals, &TerminationSignals::terminationRequested, this, CloseMainWindow);
    m_signals.install();
}
