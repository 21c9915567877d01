#pragma once

#include "ChildWindow.h"
#include "PrintLines.h"

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

// Prints a range of the fuel log on the default printer, shows it in a print preview, or saves
// it as a PDF file.
class Form11 : public ChildWindow
{
    Q_OBJECT
public:
    explicit Form11(QWidget* parent = nullptr);

    // Asks for the PDF file to write; empty text when the user cancels. Replaceable, so that a
    // caller without a user (a test) can name the file.
    using PdfFileChooser = std::function<QString(QWidget* parent)>;
    void setPdfFileChooser(PdfFileChooser chooser) { m_choosePdfFile = std::move(chooser); }

private:
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommandPreviewClicked();
    void onCommandPdfClicked();
    void placeControls(QLabel* note);

    // The lines for the typed range, or none after telling the user what is wrong with it.
    std::optional<QList<PrintLine>> linesToPrint();
    static QString askPdfFile(QWidget* parent);

    QLineEdit* m_text1;
    QLineEdit* m_text2;
    PdfFileChooser m_choosePdfFile = &Form11::askPdfFile;
};
