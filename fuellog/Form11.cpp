#include "fuellog/Form11.h"

#include "actions/Actions.h"
#include "fuellog/PrintRenderer.h"
#include "settings/SettingsStore.h"
#include "widgets/PlacedControls.h"
#include "widgets/Twips.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using PlacedControls::Kind;

// "A4判の用紙をセットしてください。" gets the note's width, as it does not fit the width it was
// designed with; the preview and PDF buttons have no designed place.
Form11::Form11() : ChildWindow(Window::Form11, QStringLiteral("印刷処理"), Frame::Fixed)
{
    PlacedControls::place(
        this,
        {{Kind::WrappedLabel,
          "Label4",
          QStringLiteral(
              "「通常使用するプリンタ」に使用されているプリンタのデフォルトに設定されて"
              "いる設定で印刷します。変更の際はコントロールパネルから変更してください。"),
          {120, 0, 3615, 615}},
         {Kind::Button, "Command2", QStringLiteral("印刷"), {120, 1920, 1695, 375}},
         {Kind::Button, "Command3", QStringLiteral("閉じる"), {1920, 1920, 1935, 375}},
         {Kind::Label, "Label1", QStringLiteral("開始番号"), {120, 840, 855, 255}},
         {Kind::Box, "Text1", QString(), {1080, 840, 735, 270}},
         {Kind::Label, "Label2", QStringLiteral("終了番号"), {2040, 840, 855, 255}},
         {Kind::Box, "Text2", QString(), {3000, 840, 735, 270}},
         {Kind::Label,
          "Label3",
          QStringLiteral("A4判の用紙をセットしてください。"),
          {120, 1200, 3615, 255}},
         {Kind::Label, "countLabel", QString(), {120, 1560, 3615, 255}},
         {Kind::Button, "CommandPreview", QStringLiteral("印刷プレビュー"), {120, 2400, 1695, 375}},
         {Kind::Button, "CommandPdf", QStringLiteral("PDFに保存"), {1920, 2400, 1935, 375}}});
    fitBelowNote();
    showCount();
    PlacedControls::find<QPushButton>(this, "Command2")->setFocus();

    const auto button = [this](const char* name) {
        return PlacedControls::find<QPushButton>(this, name);
    };
    connect(button("Command2"), &QPushButton::clicked, this, &Form11::onCommand2Clicked);
    connect(button("Command3"), &QPushButton::clicked, this, &Form11::closeThisWindow);
    connect(button("CommandPreview"), &QPushButton::clicked, this,
            &Form11::onCommandPreviewClicked);
    connect(button("CommandPdf"), &QPushButton::clicked, this, &Form11::onCommandPdfClicked);
}

// The note at the top takes as many lines as it needs at the screen's font; the controls below
// it move down by what it needs beyond its designed height.
void Form11::fitBelowNote()
{
    auto* note = PlacedControls::find<QLabel>(this, "Label4");
    const int below = std::max(0, note->heightForWidth(note->width()) - note->height());
    note->resize(note->width(), note->height() + below);
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != note)
            control->move(control->x(), control->y() + below);
    }
    setFixedSize(Twips::size(3975, 2910) + QSize(0, below));
}

// The numbers the range may take; a log that cannot be read is told when printing.
void Form11::showCount()
{
    PlacedControls::find<QLabel>(this, "countLabel")
        ->setText(Actions::printableRecords(SettingsStore()).shown);
}

std::optional<PrintJob> Form11::jobToPrint()
{
    const auto text = [this](const char* box) {
        return PlacedControls::find<QLineEdit>(this, box)->text();
    };
    const PrintRange range{text("Text1"), text("Text2")};
    const Result<PrintJob> job =
        run([&range](Confirmed) { return Actions::printRange(SettingsStore(), range); });
    if (!job.succeeded)
        return std::nullopt;
    return job.shown;
}

void Form11::onCommand2Clicked()
{
    if (const std::optional<PrintJob> job = jobToPrint())
        carryOut(PrintRenderer::printOnDefaultPrinter(*job, this));
}

void Form11::onCommandPreviewClicked()
{
    if (const std::optional<PrintJob> job = jobToPrint())
        PrintRenderer::preview(*job, this);
}

void Form11::onCommandPdfClicked()
{
    const std::optional<PrintJob> job = jobToPrint();
    if (!job)
        return;
    const std::optional<QString> path = Dialogs::askSaveFile(
        this, QStringLiteral("PDFに保存"),
        QDir::home().filePath(PrintLines::documentName() + QStringLiteral(".pdf")),
        QStringLiteral("PDF (*.pdf)"));
    if (path && !path->isEmpty())
        carryOut(PrintRenderer::saveAsPdf(*job, *path, this));
}
