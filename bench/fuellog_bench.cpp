// Times opening the fuel list on the largest log the list shows (32,766 records) against the
// time it takes just to read the log's bytes. Usage: tankr-fuellog-bench [RECORDS] [ROUNDS]
// It runs on the offscreen platform with private settings and data folders, so it never
// touches the user's own log.
#include "BenchSupport.h"
#include "actions/Actions.h"
#include "figures/FuelList.h"
#include "files/DataFolder.h"
#include "fuellog/FuelListModel.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"
#include "settings/SettingsStore.h"
#include "shell/MDIForm1.h"
#include "widgets/ChildWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// Every other refuelling a partial fill, so that the list finds a flag for half of its rows,
// as the largest flags file a plausible log has.
bool flagEveryOtherFill(const QString& folder)
{
    const QByteArray log = Bench::fileBytes(folder + DataFiles::FuelLog);
    FillFlags flags;
    for (qsizetype at = FuelRecord::Size; at + FuelRecord::Size <= log.size();
         at += 2 * FuelRecord::Size)
        flags.set(at / FuelRecord::Size + 1,
                  FuelRecord::decode(QByteArrayView(log).sliced(at, FuelRecord::Size)),
                  {true, false});
    QFile file(folder + DataFiles::Fills);
    const QByteArray bytes = flags.encode();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    Bench::useTemporaryHome(home.path());
    Bench::quietPlatformNotes();
    QApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 32766;
    const int rounds = argc > 2 ? QByteArray(argv[2]).toInt() : 15;

    const QString folder = home.path() + QStringLiteral("/log/");
    if (!Bench::prepareDataFolder(folder, records) || !flagEveryOtherFill(folder))
        return 1;
    const QString logPath = folder + DataFiles::FuelLog;
    using Bench::medianMs;

    const double raw = medianMs(rounds, [&] {
        QFile log(logPath);
        if (log.open(QIODevice::ReadOnly))
            Bench::consume(log.readAll().size());
    });

    const double decode = medianMs(rounds, [&] {
        QFile log(logPath);
        if (!log.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = log.readAll();
        QList<FuelRecord> decoded;
        decoded.reserve(bytes.size() / FuelRecord::Size);
        for (qsizetype at = 0; at + FuelRecord::Size <= bytes.size(); at += FuelRecord::Size)
            decoded.append(FuelRecord::decode(QByteArrayView(bytes).sliced(at, FuelRecord::Size)));
        Bench::consume(decoded.size());
    });

    const double model = medianMs(rounds, [&] {
        FuelListModel filled(Actions::listLog(SettingsStore()).shown);
        Bench::consume(filled.rowCount());
    });

    // What a list that made every text at once would pay: every cell of every row.
    const double allTexts = medianMs(rounds, [&] {
        FuelListModel filled(Actions::listLog(SettingsStore()).shown);
        qsizetype characters = 0;
        for (int row = 0; row < filled.rowCount(); ++row)
            for (int column = 0; column < filled.columnCount(); ++column)
                characters += filled.index(row, column).data().toString().size();
        Bench::consume(characters);
    });

    // The window as the user gets it: opened maximized in the main window and painted once.
    MDIForm1 main;
    main.resize(1000, 720);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        std::fprintf(stderr, "main window not exposed\n");
    main.closeWindow(Window::Form12);
    const auto openForm6 = [&] {
        QWidget* form6 = main.showWindow(Window::Form6);
        if (form6)
            Bench::consume(form6->grab().width());
        main.closeWindow(Window::Form6);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const double window = medianMs(rounds, openForm6);

    // Every window that shows the data, open at once, refreshed in place after a change: the
    // work the main window does for each change it is told of.
    const QList<Window> shown = {Window::Form6, Window::Graph, Window::Form1, Window::Form4,
                                 Window::Form11};
    for (Window each : shown)
        main.showWindow(each);
    const double refresh = medianMs(rounds, [&] {
        for (Window each : shown)
            if (auto* child = qobject_cast<ChildWindow*>(main.window(each)))
                child->refreshData();
    });
    const double refreshPainted = medianMs(rounds, [&] {
        for (Window each : shown)
            if (auto* child = qobject_cast<ChildWindow*>(main.window(each)))
                child->refreshData();
        Bench::consume(main.grab().width());
    });
    for (Window each : shown)
        main.closeWindow(each);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The same window on an empty log: what the window costs without any rows.
    QFile(logPath).resize(0);
    const double emptyWindow = medianMs(rounds, openForm6);

    std::printf("fuel log of %d records (%lld bytes), median of %d rounds\n", records,
                qint64(records) * FuelRecord::Size, rounds);
    std::printf("(c) raw read of the file            %8.3f ms\n", raw);
    std::printf("(a) decode every record             %8.3f ms   (a)/(c) = %6.1f\n", decode,
                decode / raw);
    std::printf("(b) Form6's model filled            %8.3f ms   (b)/(c) = %6.1f\n", model,
                model / raw);
    std::printf("    model + every cell's text       %8.3f ms   ratio   = %6.1f\n", allTexts,
                allTexts / raw);
    std::printf("    Form6 opened and painted        %8.3f ms   ratio   = %6.1f\n", window,
                window / raw);
    std::printf("    Form6 on an empty log           %8.3f ms\n", emptyWindow);
    std::printf("    open windows refreshed          %8.3f ms   (Form6, Graph, Form1, Form4, "
                "Form11)\n",
                refresh);
    std::printf("    ... and painted                 %8.3f ms\n", refreshPainted);
    return 0;
}
