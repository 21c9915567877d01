#pragma once

#include "Registration.h"

#include <array>

class QLineEdit;
class QWidget;

// The seven boxes of the registration windows (new and correction) with their captions, at the
// same places in both, opening with the same example texts.
class VehicleEntryBoxes
{
public:
    // Creates Label1 to Label7 and Text1 to Text7 on the window, in focus order.
    explicit VehicleEntryBoxes(QWidget* window);

    VehicleBoxes texts() const;
    QLineEdit* first() const { return m_boxes.front(); }
    QLineEdit* last() const { return m_boxes.back(); }

private:
    std::array<QLineEdit*, 7> m_boxes;
};
