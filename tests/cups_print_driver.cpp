// Prints records 2 to 4 of a small fuel log from the print window on the default printer, as a
// user would: types the range and clicks "印刷". Writes the lines the printout must hold, one
// line per printed line with its items separated by tabs, to the file named by the argument.
// Exits with 0 when the job was handed to the printer without any message box.
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "figures/PrintLines.h"
#include "records/Cp932.h"
#include "widgets/Dialogs.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

bool writeExpected(const QString& path, const PrintJob& job)
{
    QFile file(path);
    QString error;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           job.forEachLine(
               [&file](const PrintLine& line) {
                   QStringList items;
                   for (const PrintItem& item : line) {
                       if (!item.text.trimmed().isEmpty())
                           items.append(item.text.trimmed());
                   }
                   return file.write(items.join(QLatin1Char('\t')).toUtf8() + '\n') > 0;
               },
               &error);
}

} // namespace

int main(int argc, char* argv[])
{
    TestSupport::isolateHomes();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2; // usage: cups_print_driver EXPECTED_LINES_FILE
    TestSupport::DataFolderFixture data;
    QByteArray log = TestSupport::numberedLog(4);
    log.replace(82 + 16, 12,
                Cp932::encodeField(u"ハイオク～"_s, 12)); // full-width glyphs print too
    data.write(DataFiles::FuelLog, log);

    const Result<PrintJob> lines = Actions::printRange(SettingsStore(), {u"2"_s, u"4"_s});
    if (!lines.succeeded || !writeExpected(QString::fromLocal8Bit(argv[1]), lines.shown))
        return 2;

    MDIForm1 main;
    QWidget* form = main.showWindow(Window::Form11);
    WindowTestSupport::type(form, "Text1", u"2"_s);
    WindowTestSupport::type(form, "Text2", u"4"_s);
    Dialogs::Script script;
    WindowTestSupport::click(form, "Command2");
    for (const QString& message : script.texts())
        std::fprintf(stderr, "message box: %s\n", qPrintable(message));
    return script.shown().isEmpty() ? 0 : 1;
}
