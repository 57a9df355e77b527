#pragma once

#include <QWidget>

#include <array>

class CommController;
class QPushButton;
class QRadioButton;

// The "Comm" page: the frame "Host Serial Baudrate", its rate options showing the
// controller's selection, and "Set Baudrate".
class CommPage : public QWidget {
    Q_OBJECT
public:
    explicit CommPage(CommController& comm, QWidget* parent = nullptr);

    void cmdSetTransceiverBaudrate_Click();

private:
    CommController& m_comm;
    std::array<QRadioButton*, 4> optTransceiverBaudrate{};
    QPushButton* cmdSetTransceiverBaudrate = nullptr;
};
