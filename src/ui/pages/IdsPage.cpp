#include "ui/pages/IdsPage.h"

#include "config/IdsController.h"
#include "ui/pages/ConfigControls.h"
#include "ui/widgets/PageControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

IdsPage::IdsPage(IdsController& ids, QWidget* parent) : QWidget(parent), m_ids(ids)
{
    setObjectName(QStringLiteral("IdsPage"));
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(20);
    rows->setVerticalSpacing(26);
    rows->setColumnMinimumWidth(0, 140);
    addIdRow(rows, "Label22", QStringLiteral("Transceiver ID"), "txtTransceiverID2",
             IdsController::TransceiverId);
    addIdRow(rows, "Label23", QStringLiteral("Network ID"), "txtNetworkID2", IdsController::NetworkId);
    addIdRow(rows, "Label24", QStringLiteral("System ID"), "txtSystemID2", IdsController::SystemId);
    rows->setColumnStretch(2, 1);

    cmdGetIDs = AtLeast(NamedButton(this, "cmdGetIDs", QStringLiteral("Get IDs")), 140, 30);
    cmdSetIDs = AtLeast(NamedButton(this, "cmdSetIDs", QStringLiteral("Set IDs")), 140, 30);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(40);
    buttons->addWidget(cmdGetIDs);
    buttons->addWidget(cmdSetIDs);
    buttons->addStretch();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(80, 60, 0, 0);
    page->setSpacing(0);
    page->addLayout(rows);
    page->addSpacing(56);
    page->addLayout(buttons);
    page->addStretch();

    ChainTabOrder({m_boxes[IdsController::TransceiverId], m_boxes[IdsController::NetworkId],
                   m_boxes[IdsController::SystemId], cmdGetIDs, cmdSetIDs});

    connect(cmdGetIDs, &QPushButton::clicked, this, &IdsPage::cmdGetIDs_Click);
    connect(cmdSetIDs, &QPushButton::clicked, this, &IdsPage::cmdSetIDs_Click);
    connect(&m_ids, &IdsController::valueShown, this, [this](int id, qint32 value) {
        WriteNumericText(m_boxes[id], QString::number(value));  // runs the entry rule
    });
    connect(&m_ids, &IdsController::stateChanged, this,
            [this](int id, ValueState state) { ShowValueState(m_boxes[id], state); });
}

void IdsPage::addIdRow(QGridLayout* rows, const char* labelName, const QString& caption,
                       const char* boxName, int id)
{
    QLabel* label = NamedLabel(this, labelName, caption);
    m_boxes[id] = BoundNumericBox(
        this, boxName, 90, 24, [this, id] { return m_ids.value(id); },
        [this, id](qint32 value) { m_ids.setValue(id, value); });
    label->setBuddy(m_boxes[id]);
    rows->addWidget(label, id, 0);  // the controller's order is the page's
    rows->addWidget(m_boxes[id], id, 1);
}

void IdsPage::cmdGetIDs_Click()
{
    m_ids.GetIDs();
}

void IdsPage::cmdSetIDs_Click()
{
    m_ids.SetIDs();
}
