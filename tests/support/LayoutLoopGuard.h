#pragma once

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>

// Watches the layout events (resize, layout request, scroll bar shown or hidden) that
// reach a scroll area, its viewport and its scroll bars. A layout that feeds itself
// sends them without end; beyond `limit` in one step the guard swallows them, which
// breaks the loop, so a faulty list makes the test fail instead of hanging or
// overflowing the stack.
class LayoutLoopGuard : public QObject {
public:
    explicit LayoutLoopGuard(QAbstractScrollArea& area, int limit = 200)
        : m_limit(limit)
    {
        for (QObject* watched : std::initializer_list<QObject*>{
                 &area, area.viewport(), area.horizontalScrollBar(), area.verticalScrollBar()})
            watched->installEventFilter(this);
    }

    void startStep() { m_eventsInStep = 0; }
    bool tripped() const { return m_tripped; }

    // Delivers what is posted until a round brings the watched widgets no layout event
    // (true), or gives up after `rounds` rounds (false).
    bool settle(int rounds = 20)
    {
        for (int i = 0; i < rounds && !m_tripped; ++i) {
            startStep();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            if (m_eventsInStep == 0)
                return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::Show:
        case QEvent::Hide:
            if (++m_eventsInStep > m_limit)
                m_tripped = true;
            return m_tripped;
        default:
            return false;
        }
    }

private:
    int m_limit;
    int m_eventsInStep = 0;
    bool m_tripped = false;
};
