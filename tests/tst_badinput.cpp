// Every entry box of every window fed with what no one should type: nothing, blanks, letters,
// full-width digits, a lone minus, huge numbers, 10,000 characters, control characters and days
// that do not exist. A box either refuses, with a message that names it and nothing written, or
// stores a value its window allows, and the file then holds exactly the new record. The whole
// table runs through the commands; a few rows of each window run through the window itself,
// typed and clicked, and must do what the command does.

#include "Correction.h"
#include "Cp932.h"
#include "Dialogs.h"
#include "FirstEntry.h"
#include "Form11.h"
#include "FuelBoxCaptions.h"
#include "FuelRecord.h"
#include "MDIForm1.h"
#include "PrintLines.h"
#include "RefuelEntry.h"
#include "Registration.h"
#include "TestSupport.h"
#include "VehicleRecord.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QDirIterator>

#include <optional>

#include <unistd.h>

using namespace WindowTestSupport;
using TestSupport::DataFolderFixture;

namespace {

const QString Log = DataFiles::FuelLog;
const QString Vehicle = DataFiles::Vehicle;

enum class Window
{
    Form8,
    Form10,
    Form7,
    Form2,
    Form5,
    Form11
};

// How a box reads its text.
enum class Kind
{
    Date,
    StrictSingle,  // the whole text a number, to single precision
    StrictInt16,   // the whole text a number, rounded to a 16-bit integer
    LenientSingle, // the number the text begins with, 0 when none
    LenientInt16,
    StartOdometer, // a whole number of at most seven digits
    Text,          // kept as far as its field holds it
    RangeStart,    // a record number of the print range
    RangeEnd,
};

struct Box
{
    Window window;
    const char* name;
    Kind kind;
    QString caption;
};

QList<Box> boxes()
{
    using namespace FuelBoxCaptions;
    QList<Box> all = {
        {Window::Form8, "Text1", Kind::Date, Date},
        {Window::Form8, "Text2", Kind::LenientSingle, Odometer},
        {Window::Form8, "Text3", Kind::Text, Brand},
        {Window::Form8, "Text4", Kind::LenientSingle, FuelAmount},
        {Window::Form8, "Text5", Kind::LenientSingle, UnitPrice},
        {Window::Form8, "Text6", Kind::LenientInt16, Payment},
        {Window::Form8, "Text7", Kind::Text, Memo},
        {Window::Form11, "Text1", Kind::RangeStart, QStringLiteral("開始番号")},
        {Window::Form11, "Text2", Kind::RangeEnd, QStringLiteral("終了番号")},
    };
    for (Window window : {Window::Form10, Window::Form7}) {
        all += {{window, "Text1", Kind::Date, Date},
                {window, "Text2", Kind::StrictSingle, Odometer},
                {window, "Text3", Kind::StrictSingle, TripDistance},
                {window, "Text4", Kind::Text, Brand},
                {window, "Text5", Kind::StrictSingle, FuelAmount},
                {window, "Text6", Kind::StrictSingle, UnitPrice},
                {window, "Text7", Kind::StrictSingle, Economy},
                {window, "Text8", Kind::StrictInt16, Payment},
                {window, "Text9", Kind::Text, Memo}};
    }
    for (Window window : {Window::Form2, Window::Form5}) {
        all += {{window, "Text1", Kind::Text, QStringLiteral("名称")},
                {window, "Text2", Kind::Date, QStringLiteral("使用開始年月日")},
                {window, "Text3", Kind::StartOdometer, QStringLiteral("使用開始時メーター距離")},
                {window, "Text4", Kind::Text, QStringLiteral("標識番号")},
                {window, "Text5", Kind::Text, QStringLiteral("車台番号")},
                {window, "Text6", Kind::Date, QStringLiteral("自賠責保険有効期限")},
                {window, "Text7", Kind::StrictInt16, QStringLiteral("オイルの残り走行可能距離")}};
    }
    return all;
}

const char* nameOf(Window window)
{
    switch (window) {
    case Window::Form8:
        return "Form8";
    case Window::Form10:
        return "Form10";
    case Window::Form7:
        return "Form7";
    case Window::Form2:
        return "Form2";
    case Window::Form5:
        return "Form5";
    case Window::Form11:
        return "Form11";
    }
    return "";
}

// ---- The inputs and what each kind of box makes of them ------------------------------------

const std::optional<double> Refused;

// One input, and the number each kind of numeric box takes from it, or Refused. Date boxes
// refuse all of these inputs; text boxes keep each as far as their field holds it.
struct Input
{
    const char* name;
    QString text;
    std::optional<double> strictSingle;
    std::optional<double> strictInt16;
    std::optional<double> lenientSingle;
    std::optional<double> lenientInt16;
    std::optional<double> startOdometer;
};

QList<Input> inputs()
{
    const double nearestSingle = double(99999999999.0f); // 99999997952
    // clang-format off
    return {
        //  name               text                              strict single  strict int16  lenient single  lenient int16  start odometer
        {"empty",              QString(),                        Refused,       Refused,      0,              0,             Refused},
        {"blanks",             QStringLiteral("   "),            Refused,       Refused,      0,              0,             Refused},
        {"letters",            QStringLiteral("abc"),            Refused,       Refused,      0,              0,             Refused},
        // The lenient reading of the first entry takes ASCII digits only, as it always has.
        {"full-width digits",  QStringLiteral("１２３"),          123,           123,          0,              0,             123},
        {"minus",              QStringLiteral("-"),              Refused,       Refused,      0,              0,             Refused},
        {"negative",           QStringLiteral("-12"),            -12,           -12,          -12,            -12,           -12},
        {"1e40",               QStringLiteral("1e40"),           Refused,       Refused,      Refused,        Refused,       Refused},
        {"99999999999",        QStringLiteral("99999999999"),    nearestSingle, Refused,      nearestSingle,  Refused,       Refused},
        {"10000 digits",       QString(10000, QLatin1Char('9')), Refused,       Refused,      Refused,        Refused,       Refused},
        {"10000 letters",      QString(10000, QChar(u'あ')),     Refused,       Refused,      0,              0,             Refused},
        {"tab",                QStringLiteral("\t5"),            5,             5,            5,              5,             5},
        {"line feed",          QStringLiteral("5\n"),            Refused,       Refused,      5,              5,             Refused},
        {"control 0x01",       QStringLiteral("\x01"),           Refused,       Refused,      0,              0,             Refused},
        {"delete 0x7f",        QStringLiteral("4\x7f"),          Refused,       Refused,      4,              4,             Refused},
        {"2002/2/30",          QStringLiteral("2002/2/30"),      Refused,       Refused,      2002,           2002,          Refused},
        {"2002/13/1",          QStringLiteral("2002/13/1"),      Refused,       Refused,      2002,           2002,          Refused},
        {"0/0/0",              QStringLiteral("0/0/0"),          Refused,       Refused,      0,              0,             Refused},
    };
    // clang-format on
}

std::optional<double> numberFor(Kind kind, const Input& input)
{
    switch (kind) {
    case Kind::StrictSingle:
        return input.strictSingle;
    case Kind::StrictInt16:
    case Kind::RangeStart:
    case Kind::RangeEnd:
        return input.strictInt16;
    case Kind::LenientSingle:
        return input.lenientSingle;
    case Kind::LenientInt16:
        return input.lenientInt16;
    case Kind::StartOdometer:
        return input.startOdometer;
    case Kind::Date:
    case Kind::Text:
        return Refused;
    }
    return Refused;
}

// ---- The windows' starting points -----------------------------------------------------------

using Texts = QMap<QString, QString>;

Texts sound(Window window)
{
    const auto texts = [](std::initializer_list<const char*> names, const QStringList& values) {
        Texts map;
        int i = 0;
        for (const char* name : names)
            map.insert(QLatin1String(name), values.at(i++));
        return map;
    };
    switch (window) {
    case Window::Form8:
        return texts({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"},
                     {QStringLiteral("2002/5/6"), QStringLiteral("12000"), QStringLiteral("ENEOS"),
                      QStringLiteral("30.5"), QStringLiteral("105"), QStringLiteral("3202"),
                      QStringLiteral("メモ")});
    case Window::Form10:
    case Window::Form7:
        // Text3 and Text7 are what the calculation puts there.
        return texts({"Text1", "Text2", "Text4", "Text5", "Text6", "Text8", "Text9"},
                     {QStringLiteral("2003/5/6"), QStringLiteral("12345.6"), QStringLiteral("出光"),
                      QStringLiteral("30.5"), QStringLiteral("105"), QStringLiteral("3202"),
                      QStringLiteral("高速")});
    case Window::Form2:
    case Window::Form5:
        return texts({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"},
                     {QStringLiteral("CB50S"), QStringLiteral("2002/5/6"), QStringLiteral("1200"),
                      QStringLiteral("和歌山　あ 1111"), QStringLiteral("312432ABC"),
                      QStringLiteral("2003/5/6"), QStringLiteral("1000")});
    case Window::Form11:
        return texts({"Text1", "Text2"}, {QStringLiteral("1"), QStringLiteral("3")});
    }
    return {};
}

QByteArray logOf(const QList<float>& odometers)
{
    QByteArray bytes;
    for (float odometer : odometers) {
        FuelRecord record;
        record.date = 37382;
        record.odometer = odometer;
        record.tripDistance = 400;
        record.setBrandText(QStringLiteral("ENEOS"));
        record.fuelAmount = 20;
        record.unitPrice = 105;
        record.economy = 20;
        record.payment = 2100;
        record.setMemoText(QStringLiteral("前回"));
        bytes += record.encode();
    }
    return bytes;
}

QByteArray formerVehicle()
{
    VehicleRecord vehicle;
    vehicle.setNameText(QStringLiteral("NSR250"));
    vehicle.startDate = 36000;
    vehicle.startOdometer = 500;
    vehicle.oilRemaining = 3000;
    return vehicle.encode();
}

// The files each window meets: the first entry an empty folder, the others a log to work on.
void prepare(const DataFolderFixture& data, Window window)
{
    switch (window) {
    case Window::Form8:
        break;
    case Window::Form10:
        data.write(Log, logOf({11000, 12000}));
        break;
    case Window::Form7:
    case Window::Form11:
        data.write(Log, logOf({11000, 12000, 12400}));
        break;
    case Window::Form2:
    case Window::Form5:
        data.write(Log, logOf({11000, 12000}));
        data.write(Vehicle, formerVehicle());
        break;
    }
    data.setSetting(Settings::Hyouji, Settings::Hyouji, Settings::Started);
    data.setSetting(Settings::Oil, Settings::Kyori, QStringLiteral("1000"));
    data.setSetting(Settings::Oil, Settings::ZenkaiKyori, QStringLiteral("11000"));
}

using FolderImage = QMap<QString, QByteArray>;

FolderImage imageOf(const DataFolderFixture& data)
{
    FolderImage image;
    QDirIterator it(data.folder(), QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        image.insert(name, data.read(name));
    }
    return image;
}

QStringList settingsOf(const DataFolderFixture& data)
{
    return {data.setting(Settings::Hyouji, Settings::Hyouji),
            data.setting(Settings::Oil, Settings::Kyori),
            data.setting(Settings::Oil, Settings::ZenkaiKyori)};
}

// ---- Through the commands -------------------------------------------------------------------

struct Done
{
    Outcome outcome;
    QList<PrintLine> lines;
};

FuelEntryBoxes fuelBoxes(const Texts& texts)
{
    FuelEntryBoxes boxes;
    boxes.date = texts.value(QStringLiteral("Text1"));
    boxes.odometer = texts.value(QStringLiteral("Text2"));
    boxes.brand = texts.value(QStringLiteral("Text4"));
    boxes.fuelAmount = texts.value(QStringLiteral("Text5"));
    boxes.unitPrice = texts.value(QStringLiteral("Text6"));
    boxes.payment = texts.value(QStringLiteral("Text8"));
    boxes.memo = texts.value(QStringLiteral("Text9"));
    return boxes;
}

VehicleBoxes vehicleBoxes(const Texts& t)
{
    return {t.value(QStringLiteral("Text1")), t.value(QStringLiteral("Text2")),
            t.value(QStringLiteral("Text3")), t.value(QStringLiteral("Text4")),
            t.value(QStringLiteral("Text5")), t.value(QStringLiteral("Text6")),
            t.value(QStringLiteral("Text7"))};
}

// The refuelling windows as their user works them: calculate, then write, with what the user
// typed over the calculated figures, if anything.
Outcome calculateThenWrite(Window window, const Texts& texts)
{
    SettingsStore settings;
    FuelEntryBoxes boxes = fuelBoxes(texts);
    const Calculation calculation =
        window == Window::Form10
            ? RefuelEntry::calculate(settings, boxes.odometer, boxes.fuelAmount)
            : Correction::calculate(settings, boxes.odometer, boxes.fuelAmount);
    if (!calculation.outcome.succeeded)
        return calculation.outcome;
    boxes.tripDistance = texts.value(QStringLiteral("Text3"), calculation.basis.tripDistance);
    boxes.economy = texts.value(QStringLiteral("Text7"), calculation.basis.economy);
    return window == Window::Form10 ? RefuelEntry::write(settings, boxes, calculation.basis)
                                    : Correction::write(settings, boxes, calculation.basis);
}

Done runCommand(Window window, const Texts& t)
{
    SettingsStore settings;
    switch (window) {
    case Window::Form8:
        return {FirstEntry::write(
                    settings, {t.value(QStringLiteral("Text1")), t.value(QStringLiteral("Text2")),
                               t.value(QStringLiteral("Text3")), t.value(QStringLiteral("Text4")),
                               t.value(QStringLiteral("Text5")), t.value(QStringLiteral("Text6")),
                               t.value(QStringLiteral("Text7"))}),
                {}};
    case Window::Form10:
    case Window::Form7:
        return {calculateThenWrite(window, t), {}};
    case Window::Form2:
        return {Registration::registerNew(settings, vehicleBoxes(t),
                                          [](const Message&) { return true; }),
                {}};
    case Window::Form5:
        return {Registration::correct(settings, vehicleBoxes(t)), {}};
    case Window::Form11: {
        const PrintLines::Job job = PrintLines::forRange(
            settings, {t.value(QStringLiteral("Text1")), t.value(QStringLiteral("Text2"))});
        return {job.outcome, job.lines};
    }
    }
    return {};
}

// ---- What a stored value must be ------------------------------------------------------------

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// A text field keeps the typed text whole when it fits, else the longest beginning that fits.
bool keptAsFarAsItFits(const QString& stored, const QString& typed, int width)
{
    const QString kept = withoutTrailingBlanks(stored);
    if (typed.size() <= width && Cp932::encode(typed).size() <= width)
        return kept == withoutTrailingBlanks(typed);
    return typed.startsWith(kept) &&
           (kept.size() == width || Cp932::encode(typed.left(kept.size() + 1)).size() > width);
}

// The field of the box, as text for a text box and as a number otherwise; the record takes the
// other record's value for that field, so that the two can then be compared whole.
struct Field
{
    QString text;
    double number = 0;
    int width = 0;
};

Field takeFuelField(const QString& box, const FuelRecord& from, FuelRecord& to)
{
    const int n = box.mid(4).toInt();
    // Form8 numbers its boxes without the two calculated ones.
    switch (n) {
    case 1:
        to.date = from.date;
        return {{}, from.date};
    case 2:
        to.odometer = from.odometer;
        return {{}, from.odometer};
    case 3:
        to.tripDistance = from.tripDistance;
        return {{}, from.tripDistance};
    case 4:
        to.brand = from.brand;
        return {from.brandText(), 0, FuelRecord::BrandWidth};
    case 5:
        to.fuelAmount = from.fuelAmount;
        return {{}, from.fuelAmount};
    case 6:
        to.unitPrice = from.unitPrice;
        return {{}, from.unitPrice};
    case 7:
        to.economy = from.economy;
        return {{}, from.economy};
    case 8:
        to.payment = from.payment;
        return {{}, double(from.payment)};
    case 9:
        to.memo = from.memo;
        return {from.memoText(), 0, FuelRecord::MemoWidth};
    }
    return {};
}

// Form8's boxes in the numbering of the refuelling windows.
QString asRefuelBox(Window window, const QString& box)
{
    if (window != Window::Form8)
        return box;
    static const QMap<QString, QString> map = {{QStringLiteral("Text1"), QStringLiteral("Text1")},
                                               {QStringLiteral("Text2"), QStringLiteral("Text2")},
                                               {QStringLiteral("Text3"), QStringLiteral("Text4")},
                                               {QStringLiteral("Text4"), QStringLiteral("Text5")},
                                               {QStringLiteral("Text5"), QStringLiteral("Text6")},
                                               {QStringLiteral("Text6"), QStringLiteral("Text8")},
                                               {QStringLiteral("Text7"), QStringLiteral("Text9")}};
    return map.value(box);
}

Field takeVehicleField(const QString& box, const VehicleRecord& from, VehicleRecord& to)
{
    switch (box.mid(4).toInt()) {
    case 1:
        to.name = from.name;
        return {from.nameText(), 0, VehicleRecord::NameWidth};
    case 2:
        to.startDate = from.startDate;
        return {{}, from.startDate};
    case 3:
        to.startOdometer = from.startOdometer;
        return {{}, from.startOdometer};
    case 4:
        to.plateNumber = from.plateNumber;
        return {from.plateNumberText(), 0, VehicleRecord::PlateWidth};
    case 5:
        to.chassisNumber = from.chassisNumber;
        return {from.chassisNumberText(), 0, VehicleRecord::ChassisWidth};
    case 6:
        to.insuranceExpiry = from.insuranceExpiry;
        return {{}, from.insuranceExpiry};
    case 7:
        to.oilRemaining = from.oilRemaining;
        return {{}, double(from.oilRemaining)};
    }
    return {};
}

// What the sound boxes write: the record the bad row is measured against.
QByteArray soundRecord(Window window)
{
    DataFolderFixture data;
    prepare(data, window);
    const Done done = runCommand(window, sound(window));
    if (!done.outcome.succeeded)
        qFatal("the sound boxes of %s were refused: %s", nameOf(window),
               qPrintable(done.outcome.message->text));
    if (window == Window::Form2 || window == Window::Form5)
        return data.read(Vehicle);
    return data.read(Log).right(FuelRecord::Size);
}

void checkValue(const Box& box, const Input& input, const Field& field)
{
    if (box.kind == Kind::Text) {
        QVERIFY2(keptAsFarAsItFits(field.text, input.text, field.width),
                 qPrintable(QStringLiteral("stored \"%1\"").arg(field.text)));
        return;
    }
    const std::optional<double> number = numberFor(box.kind, input);
    QVERIFY2(number, "a box that refuses this input stored a value");
    const bool isSingle = box.kind == Kind::StrictSingle || box.kind == Kind::LenientSingle ||
                          box.kind == Kind::StartOdometer;
    QCOMPARE(field.number, isSingle ? double(float(*number)) : *number);
}

// The print lines of the range the boxes ask for, as the log of three records gives them; none
// for a range that must be refused.
std::optional<int> printedRecords(const Box& box, const Input& input)
{
    const std::optional<double> number = numberFor(box.kind, input);
    if (!number)
        return std::nullopt;
    const double start = box.kind == Kind::RangeStart ? *number : 1;
    const double end = box.kind == Kind::RangeEnd ? *number : 3;
    if (start < 1 || end > 3)
        return std::nullopt;
    return int(std::max(0.0, end - start + 1));
}

} // namespace

Q_DECLARE_METATYPE(Window)

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandsTakeEveryBadInput_data();
    void commandsTakeEveryBadInput();
    void windowsDoWhatTheCommandsDo_data();
    void windowsDoWhatTheCommandsDo();

private:
    QMap<Window, QByteArray> m_soundRecords;
};

void TestBadInput::initTestCase()
{
    for (Window window :
         {Window::Form8, Window::Form10, Window::Form7, Window::Form2, Window::Form5})
        m_soundRecords.insert(window, soundRecord(window));
}

void TestBadInput::commandsTakeEveryBadInput_data()
{
    QTest::addColumn<int>("boxIndex");
    QTest::addColumn<int>("inputIndex");
    const QList<Box> all = boxes();
    const QList<Input> texts = inputs();
    for (int b = 0; b < all.size(); ++b) {
        for (int i = 0; i < texts.size(); ++i)
            QTest::addRow("%s %s: %s", nameOf(all.at(b).window), all.at(b).name, texts.at(i).name)
                << b << i;
    }
}

void TestBadInput::commandsTakeEveryBadInput()
{
    QFETCH(int, boxIndex);
    QFETCH(int, inputIndex);
    const Box box = boxes().at(boxIndex);
    const Input input = inputs().at(inputIndex);
    const QString boxName = QLatin1String(box.name);
    DataFolderFixture data;
    prepare(data, box.window);
    const FolderImage before = imageOf(data);
    const QStringList settingsBefore = settingsOf(data);

    Texts texts = sound(box.window);
    texts.insert(boxName, input.text);
    const Done done = runCommand(box.window, texts);
    const FolderImage after = imageOf(data);

    if (!done.outcome.succeeded) {
        QVERIFY(done.outcome.message);
        const QString message = done.outcome.message->text;
        QCOMPARE(done.outcome.message->title, QStringLiteral("エラー"));
        const bool namesTheBox = message.contains(box.caption);
        const bool asksForTheCalculation =
            (boxName == QLatin1String("Text3") || boxName == QLatin1String("Text7")) &&
            (box.window == Window::Form10 || box.window == Window::Form7) &&
            message == FuelEntry::calculationNeededMessage() && input.text.trimmed().isEmpty();
        QVERIFY2(namesTheBox || asksForTheCalculation, qPrintable(message));
        QCOMPARE(after, before);
        QCOMPARE(settingsOf(data), settingsBefore);
        switch (box.kind) {
        case Kind::Text:
            QFAIL("a text box refused its text");
        case Kind::Date:
            break;
        case Kind::RangeStart:
        case Kind::RangeEnd:
            QVERIFY2(!printedRecords(box, input), qPrintable(message));
            break;
        default:
            QVERIFY2(!numberFor(box.kind, input), qPrintable(message));
        }
        return;
    }
    QVERIFY2(box.kind != Kind::Date, "a date box took a day that does not exist");

    switch (box.window) {
    case Window::Form11: {
        const std::optional<int> records = printedRecords(box, input);
        QVERIFY2(records, "a range that must be refused was printed");
        QCOMPARE(done.lines.size(), 1 + *records);
        QCOMPARE(after, before);
        return;
    }
    case Window::Form2:
    case Window::Form5: {
        const QByteArray written = after.value(Vehicle);
        QCOMPARE(written.size(), VehicleRecord::Size);
        const VehicleRecord got = VehicleRecord::decode(written);
        VehicleRecord want = VehicleRecord::decode(m_soundRecords.value(box.window));
        checkValue(box, input, takeVehicleField(boxName, got, want));
        QCOMPARE(written, want.encode());
        // A new registration starts an empty log; a correction keeps it.
        QCOMPARE(after.value(Log), box.window == Window::Form2 ? QByteArray() : before.value(Log));
        if (box.window == Window::Form2) {
            QCOMPARE(data.setting(Settings::Oil, Settings::Kyori),
                     texts.value(QStringLiteral("Text7")));
            QCOMPARE(data.setting(Settings::Oil, Settings::ZenkaiKyori),
                     texts.value(QStringLiteral("Text3")));
        }
        return;
    }
    default:
        break;
    }

    // The fuel log gained, or had replaced, exactly its latest record.
    const QByteArray log = after.value(Log);
    const QByteArray kept = box.window == Window::Form10 ? before.value(Log)
                            : box.window == Window::Form7
                                ? before.value(Log).chopped(FuelRecord::Size)
                                : QByteArray();
    QCOMPARE(log.size(), kept.size() + FuelRecord::Size);
    QCOMPARE(log.left(kept.size()), kept);
    const FuelRecord got = FuelRecord::decode(log.right(FuelRecord::Size));
    FuelRecord want = FuelRecord::decode(m_soundRecords.value(box.window));
    const QString refuelBox = asRefuelBox(box.window, boxName);
    checkValue(box, input, takeFuelField(refuelBox, got, want));
    if (refuelBox == QLatin1String("Text2") || refuelBox == QLatin1String("Text5")) {
        // The calculated figures follow the odometer and the quantity.
        want.tripDistance = got.tripDistance;
        want.economy = got.economy;
    }
    QCOMPARE(log.right(FuelRecord::Size), want.encode());
    QCOMPARE(after.value(Vehicle), before.value(Vehicle));
}

void TestBadInput::windowsDoWhatTheCommandsDo_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addRow("Form8 Text6: 99999999999")
        << Window::Form8 << "Text6" << QStringLiteral("99999999999");
    QTest::addRow("Form8 Text3: 10000 letters")
        << Window::Form8 << "Text3" << QString(10000, QChar(u'あ'));
    QTest::addRow("Form10 Text2: letters") << Window::Form10 << "Text2" << QStringLiteral("abc");
    QTest::addRow("Form10 Text8: full-width digits")
        << Window::Form10 << "Text8" << QStringLiteral("１２３");
    QTest::addRow("Form10 Text7: blanks") << Window::Form10 << "Text7" << QStringLiteral("   ");
    QTest::addRow("Form7 Text1: 2002/2/30")
        << Window::Form7 << "Text1" << QStringLiteral("2002/2/30");
    QTest::addRow("Form7 Text5: negative") << Window::Form7 << "Text5" << QStringLiteral("-12");
    QTest::addRow("Form2 Text3: 99999999999")
        << Window::Form2 << "Text3" << QStringLiteral("99999999999");
    QTest::addRow("Form2 Text1: 10000 letters")
        << Window::Form2 << "Text1" << QString(10000, QLatin1Char('x'));
    QTest::addRow("Form5 Text7: 1e40") << Window::Form5 << "Text7" << QStringLiteral("1e40");
    QTest::addRow("Form5 Text6: 0/0/0") << Window::Form5 << "Text6" << QStringLiteral("0/0/0");
    QTest::addRow("Form11 Text1: minus") << Window::Form11 << "Text1" << QStringLiteral("-");
    QTest::addRow("Form11 Text2: full-width digits")
        << Window::Form11 << "Text2" << QStringLiteral("１２３");
    QTest::addRow("Form11 Text1: tab") << Window::Form11 << "Text1" << QStringLiteral("\t2");
}

// Typed into the real window and clicked, a row shows the command's message and leaves the
// files as the command does; a refused entry leaves the window open with everything typed.
void TestBadInput::windowsDoWhatTheCommandsDo()
{
    QFETCH(Window, window);
    QFETCH(QString, box);
    QFETCH(QString, text);
    Texts texts = sound(window);
    texts.insert(box, text);

    DataFolderFixture byCommand;
    prepare(byCommand, window);
    const Done expected = runCommand(window, texts);
    const FolderImage expectedFiles = imageOf(byCommand);

    DataFolderFixture data;
    prepare(data, window);
    const QString pdf = data.path(QStringLiteral("log.pdf"));
    Dialogs::Script script;
    MDIForm1 main;
    const QString name = QLatin1String(nameOf(window));
    QWidget* form = main.showWindow(name);
    QVERIFY(form);
    if (auto* form11 = qobject_cast<Form11*>(form))
        form11->setPdfFileChooser([pdf](QWidget*) { return pdf; });
    const Texts calculatedLater = {{QStringLiteral("Text3"), QString()},
                                   {QStringLiteral("Text7"), QString()}};
    const bool calculates = window == Window::Form10 || window == Window::Form7;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (!calculates || !calculatedLater.contains(it.key()))
            type(form, qPrintable(it.key()), it.value());
    }
    if (calculates) {
        click(form, "Command2");
        if (script.shown().isEmpty()) {
            for (const QString& later : calculatedLater.keys()) {
                if (texts.contains(later))
                    type(form, qPrintable(later), texts.value(later));
            }
            click(form, "Command3");
        }
    } else if (window == Window::Form11) {
        click(form, "CommandPdf");
    } else {
        script.answerYes(); // Form2: yes, the log may be emptied
        click(form, "Command1");
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!script.shown().isEmpty());
    const Dialogs::Script::Shown& last = script.shown().constLast();
    QCOMPARE(imageOf(data).value(Log), expectedFiles.value(Log));
    QCOMPARE(imageOf(data).value(Vehicle), expectedFiles.value(Vehicle));
    if (expected.outcome.succeeded) {
        QVERIFY(last.message.title != Outcome::errorTitle());
        if (window == Window::Form11)
            QVERIFY(QFileInfo(pdf).size() > 0);
        else
            QCOMPARE(last.message.text, expected.outcome.message->text);
        return;
    }
    QCOMPARE(last.message.text, expected.outcome.message->text);
    QCOMPARE(last.message.title, Outcome::errorTitle());
    QCOMPARE(main.window(name), form);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (!calculates || !calculatedLater.contains(it.key()))
            QCOMPARE(WindowTestSupport::text(form, qPrintable(it.key())), it.value());
    }
    QVERIFY(!QFileInfo::exists(pdf));
}

// The table writes, and syncs to the disk, some seven hundred data folders and settings files;
// it is about what the boxes make of their texts, not about the disk (tst_faults is), so its
// folders live in memory wherever the machine has such a place.
int main(int argc, char* argv[])
{
    if (::access("/dev/shm", W_OK) == 0)
        qputenv("TMPDIR", "/dev/shm");
    TestSupport::isolateHomes();
    QApplication app(argc, argv);
    TestBadInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_badinput.moc"
