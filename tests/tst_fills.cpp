// How each refuelling filled the tank: the flags file byte for byte and which refuelling each of
// its entries names, the economy from full fill to full fill, and the flags file carried along
// by every command that copies, replaces, restores or empties the data files.

#include "FaultyFolder.h"
#include "figures/FullToFull.h"
#include "files/Backups.h"

using namespace TestSupport;

namespace {

const QString Fills = DataFiles::Fills;
const QByteArray Missing = "<missing>"; // as readFile reads a file that is not there

const Fill Full;
const Fill MissedPartial{true, true};

// The fills of the data folder's refuellings as the list names them.
QString fillsInDataFolder()
{
    const Result<FuelList> list = Actions::listLog(SettingsStore());
    QStringList texts;
    for (int row = 0; row < list.shown.rowCount(); ++row)
        texts << list.shown.row(row).last();
    return list.succeeded ? texts.join(u'|') : list.message->text;
}

QString economyText(double economy)
{
    return qIsNaN(economy) ? u"-"_s : QString::number(economy, 'g', 9);
}

// The logs of the commands' table: ours in the data folder, theirs in the other folder, and
// ours as another program left it, its third refuelling written over.
const QByteArray Ours = numberedLog(3);
const QByteArray Theirs = logOf({5000, 5300, 5600});
const QByteArray Rewritten = Ours.first(2 * FuelRecord::Size) + logOf({1950});

} // namespace

Q_DECLARE_METATYPE(Action)

class TestFills : public QObject
{
    Q_OBJECT

private slots:
    void init() { QDir(Backups::root()).removeRecursively(); }

    // Entries for the partial second and the missed-and-partial third refuelling, none for the
    // plain first; damaged entries and a cut-off one are left out when read.
    void flagsFileImage()
    {
        FillFlags flags;
        flags.set(3, recordOf(Ours, 3), MissedPartial);
        flags.set(1, recordOf(Ours, 1), Full);
        flags.set(2, recordOf(Ours, 2), Partial);
        // Number, date (37384: 2002/5/8, then 37385), odometer (1600 km, then 1900 km), flags.
        const QByteArray image = hex("02000000 000000000041E240 0000C844 01000000"
                                     "03000000 000000002041E240 0080ED44 03000000");
        QCOMPARE(flags.encode(), image);
        const QByteArray noFlag = hex("01000000 0000000000000000 00000000 00000000");
        const QByteArray noNumber = hex("00000000 000000000041E240 0000C844 01000000");
        const FillFlags read = FillFlags::decode(noFlag + image + noNumber + image.first(7));
        QCOMPARE(read.encode(), image);
        QCOMPARE(read.of(2, recordOf(Ours, 2)), Partial);
        QCOMPARE(read.of(3, recordOf(Ours, 3)), MissedPartial);
    }

    void entryNamesItsRefuelling_data()
    {
        QTest::addColumn<QByteArray>("now"); // the flagged second record as the log holds it now
        QTest::addColumn<bool>("named");
        FuelRecord record = recordOf(Ours, 2);
        FuelRecord other = record;
        other.fuelAmount = 33;
        other.setMemoText(u"訂正"_s);
        QTest::addRow("other litres and memo") << other.encode() << true;
        other = record;
        other.date += 1;
        QTest::addRow("other date") << other.encode() << false;
        other = record;
        other.odometer = std::nextafter(record.odometer, 2000.0f);
        QTest::addRow("odometer one step off") << other.encode() << false;
    }
    // An entry counts only while its record has the date and odometer it was written for.
    void entryNamesItsRefuelling()
    {
        QFETCH(QByteArray, now);
        QFETCH(bool, named);
        FillFlags flags;
        flags.set(2, recordOf(Ours, 2), Partial);
        const QByteArray log = Ours.first(FuelRecord::Size) + now + Ours.sliced(2 * 82);
        QCOMPARE(flags.of(2, recordOf(log, 2)), named ? Partial : Full);
        flags.keepMatching(1, 3, [&log](qint64 n) { return recordOf(log, n); });
        QCOMPARE(flags.encode().isEmpty(), !named);
    }

    void economy_data()
    {
        QTest::addColumn<QList<float>>("odometers");
        QTest::addColumn<QList<float>>("litres");
        QTest::addColumn<QString>("fills"); // F full, P partial, M missed, Q missed and partial
        QTest::addColumn<QList<float>>("economies"); // NaN: none
        QTest::addColumn<double>("average");         // NaN: none
        const float none = qQNaN();
        // clang-format off
        QTest::addRow("full fills: exactly trip over litres")
            << QList<float>{12000, 12345.6f, 12777.7f} << QList<float>{30, 30.5f, 27.3f} << u"FFF"_s
            << QList<float>{none, (12345.6f - 12000) / 30.5f, (12777.7f - 12345.6f) / 27.3f}
            << (double(12777.7f) - 12000) / (double(30.5f) + double(27.3f));
        QTest::addRow("the worked example")
            << QList<float>{10000, 10200, 10600} << QList<float>{30, 10, 35} << u"FPF"_s
            << QList<float>{none, none, 600.0f / 45} << 600.0 / 45;
        QTest::addRow("partial first")
            << QList<float>{500, 800, 1000, 1300} << QList<float>{5, 20, 10, 15} << u"PFFF"_s
            << QList<float>{none, none, 20, 20} << 20.0;
        QTest::addRow("partial last")
            << QList<float>{1000, 1300, 1500} << QList<float>{20, 20, 8} << u"FFP"_s
            << QList<float>{none, 15, none} << 15.0;
        QTest::addRow("two partials in a span")
            << QList<float>{1000, 1100, 1250, 1400} << QList<float>{30, 5, 7, 12.5f} << u"FPPF"_s
            << QList<float>{none, none, none, 400 / 24.5f} << 400 / 24.5;
        QTest::addRow("missed before a partial fill")
            << QList<float>{1000, 1200, 1500, 1800} << QList<float>{20, 10, 20, 15} << u"FQFF"_s
            << QList<float>{none, none, none, 20} << 20.0;
        QTest::addRow("two missed in a row")
            << QList<float>{1000, 1300, 1600, 1900} << QList<float>{20, 20, 20, 15} << u"FMMF"_s
            << QList<float>{none, none, none, 20} << 20.0;
        QTest::addRow("no full fill")
            << QList<float>{1000, 1300} << QList<float>{20, 20} << u"PP"_s
            << QList<float>{none, none} << qQNaN();
        // clang-format on
    }
    // Compared as the nine digits that tell one float from every other: exact.
    void economy()
    {
        QFETCH(QList<float>, odometers);
        QFETCH(QList<float>, litres);
        QFETCH(QString, fills);
        QFETCH(QList<float>, economies);
        QFETCH(double, average);
        FullToFull::Walk walk;
        QStringList got;
        QStringList wanted;
        for (qsizetype i = 0; i < fills.size(); ++i) {
            FuelRecord record = refuelling(odometers.at(i));
            record.fuelAmount = litres.at(i);
            const QChar code = fills.at(i);
            const Fill fill{code == u'P' || code == u'Q', code == u'M' || code == u'Q'};
            got << economyText(walk.add(record, fill).value_or(qQNaN()));
            wanted << economyText(economies.at(i));
        }
        QCOMPARE(got, wanted);
        QCOMPARE(walk.average().value_or(qQNaN()), average);
    }

    void flagsTravelWithTheData_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QByteArray>("dataFlags");  // before; empty: no flags file
        QTest::addColumn<QByteArray>("otherLog");   // in the other folder (export, import,
        QTest::addColumn<QByteArray>("otherFlags"); // the new data folder)
        QTest::addColumn<QByteArray>("dataAfter");
        QTest::addColumn<QByteArray>("otherAfter");
        QTest::addColumn<QString>("fills"); // of the data folder in force after
        const QByteArray ours = flagsOf(Ours, {{2, Partial}});
        const QByteArray theirs = flagsOf(Theirs, {{3, Missed}});
        const QByteArray stale = flagsOf(Ours, {{2, Partial}, {3, MissedPartial}});
        const QString oursShown = u"満タン|部分|満タン"_s;
        const QString theirsShown = u"満タン|満タン|記録漏れあり"_s;
        const QString allFull = u"満タン|満タン|満タン"_s;
        using A = Action;
        const QByteArray none;
        // clang-format off
        QTest::newRow("export carries them") << A::ExportTo << ours << Theirs << none << ours << ours << oursShown;
        QTest::newRow("export without them takes an earlier export's away") << A::ExportTo << none << Theirs << theirs << none << none << allFull;
        QTest::newRow("import carries them") << A::ImportFrom << ours << Theirs << theirs << theirs << theirs << theirsShown;
        QTest::newRow("import of a folder without them takes ours away") << A::ImportFrom << ours << Theirs << none << none << none << allFull;
        QTest::newRow("import of a log another program rewrote") << A::ImportFrom << none << Rewritten << stale << stale << stale << oursShown;
        QTest::newRow("initialise all") << A::InitialiseAll << ours << Theirs << theirs << none << theirs << u""_s;
        QTest::newRow("initialise the fuel log") << A::InitialiseFuel << ours << Theirs << theirs << none << theirs << u""_s;
        QTest::newRow("register a new vehicle") << A::RegisterVehicle << ours << Theirs << theirs << none << theirs << u""_s;
        QTest::newRow("copy to a new data folder") << A::ChooseDataFolder << ours << none << none << ours << ours << oursShown;
        // clang-format on
    }
    // End to end on real folders. A command that replaces or empties the data keeps a backup
    // first, holding the flags as they were, and a restore of that backup gives them back.
    void flagsTravelWithTheData()
    {
        QFETCH(Action, action);
        QFETCH(QByteArray, dataFlags);
        QFETCH(QByteArray, otherLog);
        QFETCH(QByteArray, otherFlags);
        QFETCH(QByteArray, dataAfter);
        QFETCH(QByteArray, otherAfter);
        QFETCH(QString, fills);
        DataFolderFixture data;
        startLog(data, Ours, dataFlags);
        QTemporaryDir elsewhere;
        const QString other = elsewhere.path() + u'/';
        if (!otherLog.isEmpty())
            writeImage(other, {{Log, otherLog}, {Vehicle, vehicle(5).encode()}});
        if (!otherFlags.isEmpty())
            writeFile(other + Fills, otherFlags);

        SettingsStore settings;
        const Ran ran = action == Action::ChooseDataFolder
                            ? TestSupport::ran(Actions::chooseDataFolder(
                                  settings, other, Actions::DataInForce::Copy))
                            : runAction(action, settings, {}, other);
        QVERIFY2(ran.succeeded, qPrintable(ran.message->text));
        const auto orMissing = [](const QByteArray& bytes) {
            return bytes.isEmpty() ? Missing : bytes;
        };
        QCOMPARE(data.read(Fills), orMissing(dataAfter));
        QCOMPARE(readFile(other + Fills), orMissing(otherAfter));
        QCOMPARE(fillsInDataFolder(), fills);

        const QList<Backups::Entry> backups = Backups::list();
        if (action == Action::ExportTo || action == Action::ChooseDataFolder) {
            QVERIFY(backups.isEmpty());
            return;
        }
        QCOMPARE(backups.size(), 1);
        QCOMPARE(readFile(backups.first().path + Fills), orMissing(dataFlags));
        QVERIFY(runAction(Action::RestoreBackup, settings, {}, backups.first().path).succeeded);
        QCOMPARE(data.read(Fills), orMissing(dataFlags));
    }
};

TANKR_GUILESS_TEST_MAIN(TestFills)
#include "tst_fills.moc"
