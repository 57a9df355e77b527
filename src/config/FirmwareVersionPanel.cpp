#include "config/FirmwareVersionPanel.h"

#include "config/ConfigFrames.h"
#include "ui/widgets/PageControls.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 22;
constexpr int kFirstRow = 2;
constexpr int kSecondRow = 30;

}  // namespace

FirmwareVersionPanel::FirmwareVersionPanel(LinkSession& link, QWidget* parent)
    : QWidget(parent), m_link(link)
{
    setObjectName(QStringLiteral("FirmwareVersionPanel"));
    cmdGetFirmwareVersion = AddButton(this, "cmdGetFirmwareVersion", QStringLiteral("Get Version"),
                                      QRect(6, kFirstRow, 110, 26));
    AddLabel(this, "Label11", QStringLiteral("Version:"), QRect(135, kFirstRow, 60, kRowHeight));
    lblVersion = AddLabel(this, "lblVersion", QString(), QRect(200, kFirstRow, 70, kRowHeight));
    AddLabel(this, "Label12", QStringLiteral("Date:"), QRect(280, kFirstRow, 40, kRowHeight));
    lblFirmwareDate =
        AddLabel(this, "lblFirmwareDate", QString(), QRect(325, kFirstRow, 100, kRowHeight));
    lblUser = AddLabel(this, "lblUser", QString(), QRect(430, kFirstRow, 80, kRowHeight));
    AddLabel(this, "Label13", QStringLiteral("Copyright:"), QRect(135, kSecondRow, 75, kRowHeight));
    lblCopyright =
        AddLabel(this, "lblCopyright", QString(), QRect(210, kSecondRow, 300, kRowHeight));
    connect(cmdGetFirmwareVersion, &QPushButton::clicked, this,
            &FirmwareVersionPanel::cmdGetFirmwareVersion_Click);
}

void FirmwareVersionPanel::cmdGetFirmwareVersion_Click()
{
    m_link.SendMessageToTransceiver(BuildQueryFirmwareVersionFrame(), false);
}

void FirmwareVersionPanel::ProcessReceivedFirmwareVersionMessage(const Frame& frame)
{
    const std::optional<FirmwareVersionTexts> texts = DecodeFirmwareVersion(frame);
    if (!texts)
        return;
    lblVersion->setText(texts->version);
    lblFirmwareDate->setText(texts->date);
    lblCopyright->setText(texts->copyright);
}
