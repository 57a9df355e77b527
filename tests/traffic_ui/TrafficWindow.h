#pragma once

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "traffic/RfDataPanel.h"
#include "ui/CommunicationsLogView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

// The main window over a fake port that is open on port 1 once start-up is over (the
// search at start-up finds nothing), with its records cleared: a test sees only what
// its own actions write.
struct TrafficWindow : WindowHarness {
    TrafficWindow()
    {
        port->setPortAvailable(1, true);
        port->selectPort(1);
        port->open();
        port->clearRecords();
    }

    RfDataPanel& panel() const { return *window->findChild<RfDataPanel*>(); }

    QString text(const char* name) const
    {
        if (auto* box = find<QLineEdit>(QLatin1String(name)))
            return box->text();
        if (auto* label = find<QLabel>(QLatin1String(name)))
            return label->text();
        if (auto* button = find<QAbstractButton>(QLatin1String(name)))
            return button->text();
        return QStringLiteral("<no control %1>").arg(QLatin1String(name));
    }

    void click(const char* name) const
    {
        auto* button = find<QAbstractButton>(QLatin1String(name));
        QVERIFY2(button, name);
        // Near the left edge: option buttons only take clicks on indicator and caption.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    void type(const char* name, const QString& keys) const
    {
        auto* box = find<QLineEdit>(QLatin1String(name));
        QVERIFY2(box, name);
        for (QChar c : keys) {
            if (c.unicode() < 0x80)
                QTest::keyClick(box, char(c.unicode()));
            else  // keyClick takes only ASCII
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    // Replaces a box's whole text as a user's paste over a selection would.
    void paste(const char* name, const QString& text) const
    {
        auto* box = find<QLineEdit>(QLatin1String(name));
        QVERIFY2(box, name);
        box->selectAll();
        box->insert(text);
    }

    // Every frame written, as hex text, so a failed comparison shows both sides.
    QStringList writtenFrames() const
    {
        QStringList frames;
        for (const FakeSerialPort::Write& write : port->writes())
            frames << HexText(write.bytes).trimmed();
        return frames;
    }

    QList<QByteArray> rfDataFrames() const
    {
        QList<QByteArray> frames;
        for (const FakeSerialPort::Write& write : port->writes())
            if (write.bytes.size() > 3 && write.bytes.at(2) == MessageCode::SendRfData)
                frames << write.bytes;
        return frames;
    }

    // Communications log lines, oldest first.
    QStringList logLines() const
    {
        QStringList lines;
        const CommunicationsLogView& list = window->messageList();
        for (int i = list.count() - 1; i >= 0; --i)
            lines << list.item(i)->text();
        return lines;
    }

    QStringList listRows(const char* name) const
    {
        QStringList rows;
        auto* list = find<QListWidget>(QLatin1String(name));
        for (int i = 0; list && i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
};

// A frame the module sends: response code and payload.
inline QByteArray ModuleFrame(int code, const QByteArray& payload)
{
    return BuildFrame(static_cast<quint8>(code), payload);
}

// Received RF Data Message: packet ID, four bytes the host ignores, the data.
inline QByteArray ReceivedRfDataFrame(quint8 packetId, const QByteArray& data)
{
    return ModuleFrame(MessageCode::ReceivedRfData,
                       QByteArray(1, char(packetId)) + QByteArray(4, '\0') + data);
}

// Send RF Data Message Ack/Nack: packet ID, status (1 = acknowledged), retries.
inline QByteArray AckFrame(int status, int retries)
{
    QByteArray payload;
    payload.append(char(1)).append(char(status)).append(char(retries));
    return ModuleFrame(MessageCode::SendRfDataAck, payload);
}
