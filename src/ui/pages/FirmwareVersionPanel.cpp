#include "ui/pages/FirmwareVersionPanel.h"

#include "config/FirmwareVersionReader.h"
#include "ui/widgets/PageControls.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kRowHeight = 22;
constexpr int kFirstRow = 2;
constexpr int kSecondRow = 30;

}  // namespace

FirmwareVersionPanel::FirmwareVersionPanel(FirmwareVersionReader& reader, QWidget* parent)
    : QWidget(parent), m_reader(reader)
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
    connect(&m_reader, &FirmwareVersionReader::versionReceived, this,
            [this](const FirmwareVersionTexts& texts) {
                lblVersion->setText(texts.version);
                lblFirmwareDate->setText(texts.date);
                lblCopyright->setText(texts.copyright);
            });
}

void FirmwareVersionPanel::cmdGetFirmwareVersion_Click()
{
    m_reader.GetVersion();
}
