#pragma once

#include "config/ValueState.h"

#include <QObject>

class Frame;
class LinkSession;
struct ConfigSettings;

// The host's copy of the module's transceiver, network and system ID: read from the
// module with Get IDs, written to it with Set IDs. Each ID turns pending when the host
// changes it and confirmed when the module acknowledges or reports it.
class IdsController : public QObject {
    Q_OBJECT
public:
    enum Id { TransceiverId, NetworkId, SystemId, kIdCount };

    IdsController(ConfigSettings& config, LinkSession& link, QObject* parent = nullptr);

    qint32 value(int id) const;
    ValueState state(int id) const { return m_states[id]; }

    // The host changed an ID (typed, or written into its box): stored, pending.
    void setValue(int id, qint32 value);

    // Start-up: the loaded IDs are shown, and so turn pending.
    void ShowLoadedIds();

    void GetIDs();
    // Sends the stored IDs. Re-provisioning sends it too.
    void SetIDs();

    // The module acknowledges the IDs as the host holds them now, later changes included.
    void ProcessSetIDsAck();
    // A reply too short to hold three IDs is ignored.
    void ProcessRespondWithIDs(const Frame& frame);

signals:
    // The ID's box shows this value now.
    void valueShown(int id, qint32 value);
    void stateChanged(int id, ValueState state);

private:
    void setState(int id, ValueState state);

    ConfigSettings& m_config;
    LinkSession& m_link;
    ValueStates<kIdCount> m_states{};
};
