#include "ui/pages/IdsPage.h"

#include "config/IdsController.h"
#include "ui/pages/ConfigControls.h"
#include "ui/widgets/PageControls.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLabelLeft = 80;
constexpr int kBoxLeft = 240;
constexpr int kRowHeight = 24;

}  // namespace

IdsPage::IdsPage(IdsController& ids, QWidget* parent) : QWidget(parent), m_ids(ids)
{
    setObjectName(QStringLiteral("IdsPage"));
    addIdRow("Label22", QStringLiteral("Transceiver ID"), "txtTransceiverID2",
             IdsController::TransceiverId, 60);
    addIdRow("Label23", QStringLiteral("Network ID"), "txtNetworkID2", IdsController::NetworkId, 110);
    addIdRow("Label24", QStringLiteral("System ID"), "txtSystemID2", IdsController::SystemId, 160);
    cmdGetIDs = AddButton(this, "cmdGetIDs", QStringLiteral("Get IDs"), QRect(80, 240, 140, 30));
    cmdSetIDs = AddButton(this, "cmdSetIDs", QStringLiteral("Set IDs"), QRect(260, 240, 140, 30));
    connect(cmdGetIDs, &QPushButton::clicked, this, &IdsPage::cmdGetIDs_Click);
    connect(cmdSetIDs, &QPushButton::clicked, this, &IdsPage::cmdSetIDs_Click);
    connect(&m_ids, &IdsController::valueShown, this, [this](int id, qint32 value) {
        WriteNumericText(m_boxes[id], QString::number(value));  // runs the entry rule
    });
    connect(&m_ids, &IdsController::stateChanged, this,
            [this](int id, ValueState state) { ShowValueState(m_boxes[id], state); });
}

void IdsPage::addIdRow(const char* labelName, const QString& caption, const char* boxName,
                             int id, int top)
{
    AddLabel(this, labelName, caption, QRect(kLabelLeft, top, 140, kRowHeight));
    m_boxes[id] = AddBoundNumericBox(
        this, boxName, QRect(kBoxLeft, top, 90, kRowHeight), [this, id] { return m_ids.value(id); },
        [this, id](qint32 value) { m_ids.setValue(id, value); });
}

void IdsPage::cmdGetIDs_Click()
{
    m_ids.GetIDs();
}

void IdsPage::cmdSetIDs_Click()
{
    m_ids.SetIDs();
}
