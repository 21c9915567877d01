#pragma once

#include "actions/FuelEntry.h"
#include "widgets/ChildWindow.h"
#include "widgets/PlacedControls.h"

#include <functional>

class SettingsStore;

// What the refuelling entry and the correction share: the boxes of a record, the calculate
// button that fills the trip distance and economy, the oil-change box, and the write and close
// buttons, with the calculation the write is guarded by.
class FuelEntryWindow : public ChildWindow
{
    Q_OBJECT
public:
    // Where the rows of the record begin, for the window's own controls beside them.
    static constexpr int RowsTop = 480;

    // A calculation made from the log as it was no longer guards the write: the figures it was
    // made from are forgotten, so the write finds the calculated boxes stale and asks for the
    // calculation again, as after a box changed.
    void refreshData() override
    {
        m_basis.odometer.clear();
        m_basis.fuelAmount.clear();
    }

protected:
    using Calculate =
        std::function<Result<CalculationBasis>(const SettingsStore&, const FuelEntryBoxes&)>;
    using Write = std::function<Result<>(SettingsStore&, const FuelEntryBoxes&,
                                         const CalculationBasis&, Confirmed)>;

    struct Design
    {
        QString caption;
        QString note;
        QString writeCaption;
        QList<PlacedControls::Control> ownControls; // beside the boxes, after them in focus
        int width;                                  // the client width in twips
    };
    FuelEntryWindow(Window window, const Design& design, Calculate calculate, Write write);

    // Fills the boxes that hold a stored record and its fill boxes; the distance, economy and oil
    // box stay.
    void showRecord(const FuelEntryBoxes& record);

private:
    FuelEntryBoxes boxes() const;
    QString text(const char* box) const;
    void setText(const char* box, const QString& text);
    void onCommand2Clicked();
    void onCommand3Clicked();

    Calculate m_calculate;
    Write m_write;
    // What the last calculation read and filled in, for the write's guard.
    CalculationBasis m_basis;
};
