#include "config/IdsPage.h"

#include "config/ConfigFrames.h"
#include "config/ConfigSettings.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/ValueColours.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLabelLeft = 80;
constexpr int kBoxLeft = 240;
constexpr int kRowHeight = 24;

}  // namespace

IdsPage::IdsPage(ConfigSettings& config, LinkSession& link, QWidget* parent)
    : QWidget(parent), m_config(config), m_link(link)
{
    setObjectName(QStringLiteral("IdsPage"));
    txtTransceiverID2 = addIdRow("Label22", QStringLiteral("Transceiver ID"), "txtTransceiverID2",
                                 m_config.lTransceiverID, 60);
    txtNetworkID2 = addIdRow("Label23", QStringLiteral("Network ID"), "txtNetworkID2",
                             m_config.lNetworkID, 110);
    txtSystemID2 = addIdRow("Label24", QStringLiteral("System ID"), "txtSystemID2",
                            m_config.lSystemID, 160);
    cmdGetIDs = AddButton(this, "cmdGetIDs", QStringLiteral("Get IDs"), QRect(80, 240, 140, 30));
    cmdSetIDs = AddButton(this, "cmdSetIDs", QStringLiteral("Set IDs"), QRect(260, 240, 140, 30));
    connect(cmdGetIDs, &QPushButton::clicked, this, &IdsPage::cmdGetIDs_Click);
    connect(cmdSetIDs, &QPushButton::clicked, this, &IdsPage::cmdSetIDs_Click);
}

QLineEdit* IdsPage::addIdRow(const char* labelName, const QString& caption, const char* boxName,
                             qint32& storedValue, int top)
{
    AddLabel(this, labelName, caption, QRect(kLabelLeft, top, 140, kRowHeight));
    return AddNumericBox(this, boxName, storedValue, QRect(kBoxLeft, top, 90, kRowHeight));
}

void IdsPage::ShowLoadedIds()
{
    WriteNumericText(txtTransceiverID2, QString::number(m_config.lTransceiverID));
    WriteNumericText(txtNetworkID2, QString::number(m_config.lNetworkID));
    WriteNumericText(txtSystemID2, QString::number(m_config.lSystemID));
}

void IdsPage::cmdGetIDs_Click()
{
    m_link.SendMessageToTransceiver(BuildQueryIdsFrame(), false);
}

void IdsPage::cmdSetIDs_Click()
{
    m_link.SendMessageToTransceiver(
        BuildSetIDsFrame(m_config.lTransceiverID, m_config.lNetworkID, m_config.lSystemID), false);
}

void IdsPage::ProcessSetIDsAck()
{
    MarkConfirmed(txtTransceiverID2);
    MarkConfirmed(txtNetworkID2);
    MarkConfirmed(txtSystemID2);
}

void IdsPage::ProcessRespondWithIDs(const Frame& frame)
{
    const std::optional<ModuleIds> reported = DecodeIds(frame);
    if (!reported)
        return;  // too short to hold three IDs
    const struct {
        qint32& stored;
        QLineEdit* box;
        qint32 value;
    } ids[] = {
        {m_config.lTransceiverID, txtTransceiverID2, reported->transceiverId},
        {m_config.lNetworkID, txtNetworkID2, reported->networkId},
        {m_config.lSystemID, txtSystemID2, reported->systemId},
    };
    for (const auto& id : ids) {
        id.stored = id.value;
        WriteNumericText(id.box, QString::number(id.stored));  // runs the entry rule
        MarkConfirmed(id.box);
    }
}
