#pragma once

#include <QWidget>

#include <array>

class IdsController;
class QGridLayout;
class QLineEdit;
class QPushButton;

// The "IDs" page: the boxes of the transceiver, network and system ID and the buttons
// "Get IDs" and "Set IDs", over the IDs the controller keeps.
class IdsPage : public QWidget {
    Q_OBJECT
public:
    explicit IdsPage(IdsController& ids, QWidget* parent = nullptr);

    void cmdGetIDs_Click();
    void cmdSetIDs_Click();

private:
    void addIdRow(QGridLayout* rows, const char* labelName, const QString& caption,
                  const char* boxName, int id);

    IdsController& m_ids;
    std::array<QLineEdit*, 3> m_boxes{};  // in the controller's order
    QPushButton* cmdGetIDs = nullptr;
    QPushButton* cmdSetIDs = nullptr;
};
