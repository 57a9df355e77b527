#pragma once

#include <QObject>

class LinkSession;

// The module's maximum power amplifier level. Only the query does anything; the
// module's answer is shown in the communications log alone.
class FactoryCalibration : public QObject {
    Q_OBJECT
public:
    explicit FactoryCalibration(LinkSession& link, QObject* parent = nullptr);

    void GetMaxPowerAmplifierLevel();

private:
    LinkSession& m_link;
};
