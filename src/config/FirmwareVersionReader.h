#pragma once

#include "protocol/Replies.h"

#include <QObject>

class Frame;
class LinkSession;

// Asks the module which firmware it runs, and keeps its answer: version, build date and
// copyright text.
class FirmwareVersionReader : public QObject {
    Q_OBJECT
public:
    explicit FirmwareVersionReader(LinkSession& link, QObject* parent = nullptr);

    const FirmwareVersionTexts& texts() const { return m_texts; }

    void GetVersion();
    // A reply too short to hold the version is ignored.
    void ProcessReceivedFirmwareVersionMessage(const Frame& frame);

signals:
    void versionReceived(const FirmwareVersionTexts& texts);

private:
    LinkSession& m_link;
    FirmwareVersionTexts m_texts;
};
