#pragma once

#include "figures/PrintLines.h"
#include "widgets/ChildWindow.h"

#include <optional>

class QLabel;

// Prints a range of the fuel log on the default printer, shows it in a print preview, or saves
// it as a PDF file.
class Form11 : public ChildWindow
{
    Q_OBJECT
public:
    Form11();

    void refreshData() override { showCount(); }

private:
    void onCommand2Clicked();
    void onCommandPreviewClicked();
    void onCommandPdfClicked();
    void fitBelowNote();
    void showCount();

    // The lines for the typed range, or none after telling the user what is wrong with it.
    std::optional<PrintJob> jobToPrint();
};
