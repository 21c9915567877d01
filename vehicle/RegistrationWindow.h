#pragma once

#include "actions/Registration.h"
#include "widgets/ChildWindow.h"
#include "widgets/PlacedControls.h"

#include <functional>

class SettingsStore;

// What the new registration and its correction share: the seven boxes with their captions at
// the same places, opening with the same example texts, and "登録する" and "戻る" below them.
class RegistrationWindow : public ChildWindow
{
    Q_OBJECT
protected:
    using Register = std::function<Result<>(SettingsStore&, const VehicleBoxes&, Confirmed)>;

    // `controls` are the window's own, after the boxes; `designed` is its client size in twips.
    RegistrationWindow(Window window, const QString& caption,
                       const QList<PlacedControls::Control>& controls, QSize designed,
                       Register action);

    void showBoxes(const VehicleBoxes& boxes);

private:
    VehicleBoxes boxes() const;
    void onCommand1Clicked();

    Register m_register;
};
