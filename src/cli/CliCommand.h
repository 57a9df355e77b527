#pragma once

#include "cli/CliRequest.h"

#include <QObject>

#include <functional>

class CliModule;

// One command's run, driven from the event loop: it finds the module, talks to it
// through the controllers and ends with `finished(exit status)`. Nothing waits on the
// stack; every wait is a step that a signal of the link or a controller ends.
class CliCommand : public QObject {
    Q_OBJECT
public:
    CliCommand(CliModule& module, const CliRequest& request, QObject* parent = nullptr);

    virtual void start() = 0;
    // Ctrl+C or SIGTERM: the command ends as cleanly as it can, with status 130.
    virtual void interrupt();

signals:
    void finished(int exitStatus);

protected:
    // Searches as the request's port options say; `found` runs once the module answered.
    void FindModule(std::function<void()> found);
    // Sends a request through a controller and runs `done(answered)` once the link is
    // free again: `answered` tells whether the reply it waited for came.
    void Ask(const std::function<void()>& send, std::function<bool()> answered,
             std::function<void(bool)> done);
    void finish(int exitStatus);
    void fail(int exitStatus, const QString& problem);
    bool isFinished() const { return m_finished; }
    // The command's own reaction to a lost port; the default ends with status 4.
    virtual void portLost();

    CliModule& m_module;
    CliRequest m_request;

private:
    void OnLinkFreed();

    std::function<bool()> m_answered;
    std::function<void(bool)> m_done;
    bool m_finished = false;
};

// "Query IDs" and the like do not come back: the module is there but does not answer.
QString NoAnswerProblem(const QString& what);
