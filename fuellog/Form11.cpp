#include "Form11.h"

#include "Dialogs.h"
#include "FileErrors.h"
#include "PrintRenderer.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

const QString DocumentName = QStringLiteral("燃費データ");

Message noPrinter()
{
    return Message{QStringLiteral("「通常使用するプリンタ」が設定されていないため、印刷できません。"
                                  "プリンタを設定するか、「PDFに保存」で保存してください。"),
                   Outcome::errorTitle()};
}

Message printerFailed(const QString& printer)
{
    return Message{
        QStringLiteral(
            "プリンタ「%1」で印刷を始められませんでした。プリンタの状態を確認してください。")
            .arg(printer),
        Outcome::errorTitle()};
}

Message pdfSaved(const QString& path)
{
    return Message{
        QStringLiteral("PDFファイル「%1」に保存しました。").arg(QDir::toNativeSeparators(path)),
        QStringLiteral("完了")};
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// Where the controls below the note stand: left, top, width, height in twips. "A4判の用紙を
// セットしてください。" gets the note's width, as it does not fit the width it was designed with;
// the two buttons of the last row have no designed place.
struct Place
{
    const char* name;
    int left, top, width, height;
};
const Place ControlsBelowNote[] = {
    {"Label1", 120, 840, 855, 255},        {"Text1", 1080, 840, 735, 270},
    {"Label2", 2040, 840, 855, 255},       {"Text2", 3000, 840, 735, 270},
    {"Label3", 120, 1200, 3615, 255},      {"Command2", 120, 1560, 1695, 375},
    {"Command3", 1920, 1560, 1935, 375},   {"CommandPreview", 120, 2040, 1695, 375},
    {"CommandPdf", 1920, 2040, 1935, 375},
};

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

Form11::Form11(QWidget* parent)
    : ChildWindow(QStringLiteral("Form11"), QStringLiteral("印刷処理"), Frame::Fixed, parent),
      m_text1(new QLineEdit(this)), m_text2(new QLineEdit(this))
{
    QLabel* label4 = addLabel(
        this, "Label4",
        QStringLiteral("「通常使用するプリンタ」に使用されているプリンタのデフォルトに設定されてい"
                       "る設定で印刷します。変更の際はコントロールパネルから変更してください。"));
    label4->setWordWrap(true);
    label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addLabel(this, "Label1", QStringLiteral("開始番号"));
    addLabel(this, "Label2", QStringLiteral("終了番号"));
    addLabel(this, "Label3", QStringLiteral("A4判の用紙をセットしてください。"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text2->setObjectName(QStringLiteral("Text2"));
    QPushButton* command2 = addButton(this, "Command2", QStringLiteral("印刷"));
    QPushButton* command3 = addButton(this, "Command3", QStringLiteral("閉じる"));
    QPushButton* preview = addButton(this, "CommandPreview", QStringLiteral("印刷プレビュー"));
    QPushButton* pdf = addButton(this, "CommandPdf", QStringLiteral("PDFに保存"));

    placeControls(label4);

    setTabOrder(command2, command3);
    setTabOrder(command3, m_text1);
    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, preview);
    setTabOrder(preview, pdf);
    command2->setFocus();

    connect(command2, &QPushButton::clicked, this, &Form11::onCommand2Clicked);
    connect(command3, &QPushButton::clicked, this, &Form11::onCommand3Clicked);
    connect(preview, &QPushButton::clicked, this, &Form11::onCommandPreviewClicked);
    connect(pdf, &QPushButton::clicked, this, &Form11::onCommandPdfClicked);
}

// The note at the top takes as many lines as it needs at the screen's font; the controls below
// it move down by what it needs beyond its designed height.
void Form11::placeControls(QLabel* note)
{
    Twips::place(note, 120, 0, 3615, 615);
    const int below = std::max(0, note->heightForWidth(note->width()) - note->height());
    note->resize(note->width(), note->height() + below);
    for (const Place& place : ControlsBelowNote) {
        QWidget* control = findChild<QWidget*>(QLatin1String(place.name));
        Twips::place(control, place.left, place.top, place.width, place.height);
        control->move(control->x(), control->y() + below);
    }
    setFixedSize(Twips::size(3975, 2550) + QSize(0, below));
}

std::optional<QList<PrintLine>> Form11::linesToPrint()
{
    const SettingsStore settings;
    PrintLines::Job job = PrintLines::forRange(settings, {m_text1->text(), m_text2->text()});
    if (!job.outcome.succeeded) {
        carryOut(job.outcome);
        return std::nullopt;
    }
    return job.lines;
}

void Form11::onCommand2Clicked()
{
    const std::optional<QList<PrintLine>> lines = linesToPrint();
    if (!lines)
        return;
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        Dialogs::inform(this, noPrinter());
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(DocumentName);
    PrintRenderer::setUpPage(&printer);
    if (!PrintRenderer::print(*lines, &printer))
        Dialogs::inform(this, printerFailed(defaultPrinter.printerName()));
}

void Form11::onCommand3Clicked()
{
    closeThisWindow();
}

void Form11::onCommandPreviewClicked()
{
    const std::optional<QList<PrintLine>> lines = linesToPrint();
    if (!lines)
        return;
    // The default printer when there is one; without, Qt previews for a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(DocumentName);
    PrintRenderer::setUpPage(&printer);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&lines](QPrinter* target) { PrintRenderer::print(*lines, target); });
    dialog.exec();
}

void Form11::onCommandPdfClicked()
{
    const std::optional<QList<PrintLine>> lines = linesToPrint();
    if (!lines)
        return;
    const QString path = m_choosePdfFile(this);
    if (path.isEmpty())
        return;
    QPdfWriter writer(path);
    writer.setTitle(DocumentName);
    writer.setCreator(QStringLiteral("Tankr"));
    PrintRenderer::setUpPage(&writer);
    if (!PrintRenderer::print(*lines, &writer)) {
        Dialogs::inform(this, Message{FileErrors::cannotWrite(path), Outcome::errorTitle()});
        return;
    }
    Dialogs::inform(this, pdfSaved(path));
}

QString Form11::askPdfFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("PDFに保存"),
                       QDir::home().filePath(DocumentName + QStringLiteral(".pdf")),
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
