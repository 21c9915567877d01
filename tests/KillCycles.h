#pragma once

// What the kill test and its worker share: the cycles of commands the worker repeats until it
// is killed, and what each command leaves in the places the test watches. A state is one letter
// for each place: the fuel log and the vehicle file of the data folder, the log and the vehicle
// file exported to the folder "out", and the CSV file there. A log is "a" or "b" (32,766
// records, as the test makes them), "-" (the first 32,765 of them), "p", "c" or "d" (32,766, the
// last one appended or corrected as that letter) or "0" (emptied); a vehicle file "A" or "B" (as
// the test makes them), "C" or "D" (written as that letter) or "0"; a CSV file the letter of the
// log it shows; "." is no file at all. A step is the state it leaves, then the action; "*" leaves
// a place as it was, "=" copies the data folder's letter into it. Import and restore read the
// folder named after the state they leave ("aA", "bB"). "@2" works on record 2 rather than the
// latest; its odometer is its code plus 1500, between its neighbours' readings.

#include "TestSupport.h"

inline const QMap<QByteArray, QList<QByteArray>>& killCycles()
{
    static const QMap<QByteArray, QList<QByteArray>> cycles = {
        {"append", {"-**** DeleteRecord", "p**** WriteRefuelling"}},
        {"correct", {"c**** WriteCorrection", "d**** WriteCorrection"}},
        {"earlier", {"e**** WriteCorrection@2", "f**** WriteCorrection@2"}},
        {"middle", {"m**** DeleteRecord@2", "aA*** ImportFrom"}},
        {"vehicle", {"*C*** CorrectVehicle", "*D*** CorrectVehicle"}},
        {"register", {"0C*** RegisterVehicle", "aA*** ImportFrom"}},
        {"first", {"0**** InitialiseFuel", "1**** WriteFirstRefuelling"}},
        {"initialise",
         {"00*** InitialiseAll", "aA*** ImportFrom", "0**** InitialiseFuel", "aA*** ImportFrom"}},
        {"import", {"bB*** ImportFrom", "aA*** ImportFrom"}},
        {"restore", {"bB*** RestoreBackup", "aA*** RestoreBackup"}},
        {"export", {"bB*** ImportFrom", "**==* ExportTo", "aA*** ImportFrom", "**==* ExportTo"}},
        {"csv",
         {"c**** WriteCorrection", "****= ExportCsv", "d**** WriteCorrection", "****= ExportCsv"}},
        {"appends", {"***** WriteRefuelling"}}, // two at once in tst_hostile, never killed
        // Power cuts only (tst_crashes): reading the log finishes what a crash left; the import
        // of another logbook's file (a CSV in the folder "aA"); the data folder chosen; a vehicle
        // added; the printout and the report saved as PDF.
        {"recover", {"***** ListLog"}},
        {"other", {"aA*** ImportOther", "aA*** ImportFrom"}},
        {"folder", {"aA*** ChooseDataFolder", "bB*** ChooseDataFolder"}},
        {"vehicles", {"***** AddVehicle"}},
        {"print", {"***** SavePdf", "***** SaveReport"}}, // by the print worker, into "out"
    };
    return cycles;
}

// The state a step leaves when it runs to its end.
inline QByteArray killTarget(const QByteArray& state, const QByteArray& step)
{
    QByteArray next = state;
    for (int place = 0; place < 5; ++place)
        next[place] = step[place] == '=' ? state[place % 2]
                                         : (step[place] == '*' ? state[place] : step[place]);
    return next;
}

// Runs the step as its window would, with the typed texts that give its target: the letter as
// the memo or the name, and its code as the odometer or the oil, so that the records of two
// letters differ at both ends.
inline TestSupport::Ran runKillStep(const QByteArray& step, SettingsStore& settings,
                                    const QString& other)
{
    using Actions::Action;
    const QList<QByteArray> named = step.mid(6).split('@');
    const Action action = Action(QMetaEnum::fromType<Action>().keyToValue(named.front()));
    const Actions::Chosen chosen =
        named.size() > 1 ? Actions::Chosen(named.back().toLongLong()) : std::nullopt;
    return TestSupport::runAction(
        action, settings,
        {{FuelBoxCaptions::Memo, QString(QLatin1Char(step[0]))},
         {FuelBoxCaptions::Odometer, QString::number(step[0] + (chosen ? 1500 : 0))},
         {VehicleBoxCaptions::Name, QString(QLatin1Char(step[1]))},
         {VehicleBoxCaptions::OilRemaining, QString::number(step[1])}},
        other +
            (step.contains("Export") ? QStringLiteral("out") : QString::fromLatin1(step.left(2))),
        false, chosen);
}
