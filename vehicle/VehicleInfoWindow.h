#pragma once

#include "figures/VehicleInfo.h"
#include "widgets/ChildWindow.h"
#include "widgets/PlacedControls.h"

// What the two vehicle information windows share: the vehicle's details, "訂正する" and
// "閉じる", and a fresh reading of the files whenever they change and whenever the window
// becomes the active one.
class VehicleInfoWindow : public ChildWindow
{
    Q_OBJECT
public:
    // Reads the files and shows them; called on every activation.
    void refresh();
    void refreshData() override { refresh(); }

protected:
    // `controls` are the window's own, after the details; the buttons stand at `buttonsTop`.
    VehicleInfoWindow(Window window, int buttonsTop, const QList<PlacedControls::Control>& controls,
                      QSize designed);

    virtual Result<VehicleDisplay> read() const = 0;
    virtual void fill(const VehicleDisplay& display);

    bool event(QEvent* event) override;

    // Shows the text in the label, in red when it warns.
    void showText(const char* label, const QString& text, bool warning);

private:
    void followSubWindowActivation();
    void reportOnce(const Result<VehicleDisplay>& result);

    bool m_reporting = false;
};
