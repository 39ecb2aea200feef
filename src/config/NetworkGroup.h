#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class TStdSpinEdit;

// The "Network settings:" group of the Server tab: TCP and UDP port, the TCP
// listener status and the password button.
class NetworkGroup : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int DesignedHeight = 112;

    explicit NetworkGroup(QWidget* parent = nullptr);
    NetworkGroup(const NetworkGroup&) = delete;
    NetworkGroup& operator=(const NetworkGroup&) = delete;
    NetworkGroup(NetworkGroup&&) = delete;
    NetworkGroup& operator=(NetworkGroup&&) = delete;

    // Places each field 6 pixels right of its caption, after translation.
    void alignCaptions();

    QLabel* PortLbl = nullptr;
    TStdSpinEdit* PortEdit = nullptr;
    QLabel* UDPPortLbl = nullptr;
    TStdSpinEdit* UDPPortEdit = nullptr;
    QLabel* TCPStatCaptionLbl = nullptr;
    QLabel* TCPStatLbl = nullptr;
    QPushButton* PassBtn = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePassButton();
};
