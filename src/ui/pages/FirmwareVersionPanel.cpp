#include "ui/pages/FirmwareVersionPanel.h"

#include "config/FirmwareVersionReader.h"
#include "ui/widgets/PageControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

// "Get Version" beside two rows of captions and answers: version, date and the unused
// user label on the first, the copyright text across the second. The answer labels
// keep their room while empty; the user label, always empty, takes no room of its own.
FirmwareVersionPanel::FirmwareVersionPanel(FirmwareVersionReader& reader, QWidget* parent)
    : QWidget(parent), m_reader(reader)
{
    setObjectName(QStringLiteral("FirmwareVersionPanel"));
    cmdGetFirmwareVersion = AtLeast(
        NamedButton(this, "cmdGetFirmwareVersion", QStringLiteral("Get Version")), 110, 26);
    lblVersion = AtLeast(NamedLabel(this, "lblVersion", QString()), 78);
    lblFirmwareDate = AtLeast(NamedLabel(this, "lblFirmwareDate", QString()), 103);
    lblUser = NamedLabel(this, "lblUser", QString());
    lblCopyright = AtLeast(NamedLabel(this, "lblCopyright", QString()), 300, 22);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 0, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    grid->setColumnMinimumWidth(0, 127);
    grid->addWidget(cmdGetFirmwareVersion, 0, 0, Qt::AlignLeft);
    grid->addWidget(NamedLabel(this, "Label11", QStringLiteral("Version:")), 0, 1);
    grid->addWidget(lblVersion, 0, 2);
    grid->addWidget(AtLeast(NamedLabel(this, "Label12", QStringLiteral("Date:")), 43), 0, 3);
    grid->addWidget(lblFirmwareDate, 0, 4);
    grid->addWidget(lblUser, 0, 5);
    grid->addWidget(NamedLabel(this, "Label13", QStringLiteral("Copyright:")), 1, 1);
    grid->addWidget(lblCopyright, 1, 2, 1, 5);
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(2, 1);
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
