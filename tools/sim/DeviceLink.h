#pragma once

#include <QString>

// A symbolic link with a name of the user's choice (say /tmp/sim/COM1) to the
// simulator's device, removed again when the simulator ends.
class DeviceLink {
public:
    DeviceLink() = default;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    ~DeviceLink();

    // Replaces a link left behind by an earlier run; refuses to replace anything else.
    bool create(const QString& linkPath, const QString& target, QString* error);
    // Removes the link if it still points at our device.
    void remove();

private:
    QString m_linkPath;
    QString m_target;
};
