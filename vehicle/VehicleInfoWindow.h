#pragma once

#include "ChildWindow.h"
#include "VehicleInfo.h"

#include <array>

class QLabel;
class QPushButton;

// What the two vehicle information windows share: the vehicle's details in Label1 to Label7,
// "訂正する" and "閉じる", and a fresh reading of the files whenever the window becomes the
// active one, so that coming back to it from another window shows what was written meanwhile.
class VehicleInfoWindow : public ChildWindow
{
    Q_OBJECT
public:
    // Reads the files and shows them; called on every activation.
    void refresh();

protected:
    VehicleInfoWindow(const QString& name, int buttonsTopTwips, QWidget* parent);

    virtual VehicleInfo::Display read() const = 0;
    virtual void fill(const VehicleInfo::Display& display);

    bool event(QEvent* event) override;

    QPushButton* command1() const { return m_command1; }
    QPushButton* command2() const { return m_command2; }

private:
    void followSubWindowActivation();
    void reportOnce(const Outcome& outcome);

    std::array<QLabel*, 6> m_details; // Label2 to Label7
    QPushButton* m_command1;
    QPushButton* m_command2;
    bool m_reporting = false;
};
