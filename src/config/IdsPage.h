#pragma once

#include <QWidget>

class Frame;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkSession;
struct ConfigSettings;

// The "IDs" page: the host's copy of the module's transceiver, network and system ID,
// read from the module with "Get IDs" and written to it with "Set IDs".
class IdsPage : public QWidget {
    Q_OBJECT
public:
    IdsPage(ConfigSettings& config, LinkSession& link, QWidget* parent = nullptr);

    // Start-up: the loaded IDs go into the boxes (and so turn pending).
    void ShowLoadedIds();

    void cmdGetIDs_Click();
    // Sends the stored IDs, not the box texts. Re-provisioning sends it too.
    void cmdSetIDs_Click();

    void ProcessSetIDsAck();
    void ProcessRespondWithIDs(const Frame& frame);

private:
    QLineEdit* addIdRow(const char* labelName, const QString& caption, const char* boxName,
                        qint32& storedValue, int top);

    ConfigSettings& m_config;
    LinkSession& m_link;
    QLineEdit* txtTransceiverID2 = nullptr;
    QLineEdit* txtNetworkID2 = nullptr;
    QLineEdit* txtSystemID2 = nullptr;
    QPushButton* cmdGetIDs = nullptr;
    QPushButton* cmdSetIDs = nullptr;
};
