#pragma once

#include "config/ValueState.h"
#include "protocol/Replies.h"

#include <QObject>

class Frame;
class LinkSession;
struct ConfigSettings;

// The module's programmable RF settings as the host keeps them. Every change by the host
// updates the stored value at once and turns its field pending; nothing reaches the
// module until Set Programmable Settings (or re-provisioning) sends the whole record.
// The acknowledgement and the module's report turn the fields confirmed.
//
// The numbers live in the stored settings; the three switches (acknowledgements, channel
// mode, receive-all) are held here as their controls show them, and the record sends
// them as shown.
class RfSettingsController : public QObject {
    Q_OBJECT
public:
    // The record's fields as the page shows them, in the order the module's report
    // confirms them. The channel mode is shown by two options, each with its own state.
    enum Field {
        HopTable,
        Acknowledgements,
        RFRetries,
        PALevel,
        HoppingMode,
        SingleChannelMode,
        SingleChannel,
        ReceiveAll,
        kFieldCount
    };

    RfSettingsController(ConfigSettings& config, LinkSession& link, QObject* parent = nullptr);

    // Numbers as stored; a switch or an option 1 when on, 0 when off.
    qint32 value(int field) const;
    ValueState state(int field) const { return m_states[field]; }

    // The host's changes; each stores the value and turns its field pending.
    void setNumber(int field, qint32 value);  // HopTable, RFRetries, SingleChannel
    void setSwitch(int field, bool on);       // Acknowledgements, ReceiveAll
    void selectMode(bool hopping);
    void selectPaLevel(int level);

    // Start-up, in this order; each value shown turns its field pending as its control
    // changes: a switch already showing the loaded state does not change. The level is
    // shown once the attenuator list is filled; a level without an entry shows nothing.
    void ShowLoadedHopTableAcksAndRetries();
    void ShowLoadedPaLevel();
    void ShowLoadedChannelSettings();

    ProgrammableSettingsRecord RecordToSend() const;

    void SetProgrammableSettings();
    void GetProgrammableSettings();
    void Sleep();

    void ProcessSetProgrammableSettingsAck();
    // Numbers out of their box's range are taken at the bound. A reply too short to hold
    // the record is ignored.
    void ProcessRespondWithProgrammableSettings(const Frame& frame);

signals:
    // The field's control shows this value now (for an option: 1 selects it).
    void valueShown(int field, qint32 value);
    void stateChanged(int field, ValueState state);

private:
    static qint16 ConfigSettings::*number(int field);
    bool switchOn(int field) const;
    void showNumber(int field, qint32 value);
    void showSwitch(int field, bool on);
    void showMode(bool hopping);
    void setState(int field, ValueState state);

    ConfigSettings& m_config;
    LinkSession& m_link;
    bool m_acknowledgements = false;
    bool m_receiveAll = false;
    int m_rfMode = -1;  // 1 hopping, 0 single channel, -1 neither option selected yet
    ValueStates<kFieldCount> m_states{};
};
