// Arbitrary bytes read as a fuel log record, as a vehicle record and as a fill flags file, the
// way a damaged or foreign file would be read. Writing a record back must give exactly the bytes it
// was read from (cut or zero-padded to the record's size), since commands that change one field
// rewrite whole records; and every field must convert to the texts the windows show without
// failing.
#include "FuzzSupport.h"
#include "records/FillFlags.h"
#include "records/FuelRecord.h"
#include "records/VehicleRecord.h"
#include "text/TextConversions.h"

using namespace FuzzSupport;

namespace {

// What a read of these bytes must write back: the record's bytes, missing ones as zero.
QByteArray wholeRecord(QByteArrayView input, int size)
{
    QByteArray expected = input.first(qMin<qsizetype>(input.size(), size)).toByteArray();
    return expected + QByteArray(size - expected.size(), '\0');
}

void checkRewrite(QByteArrayView input, const QByteArray& written, int size)
{
    const QByteArray expected = wholeRecord(input, size);
    if (written != expected) {
        printBytes("read", expected);
        printBytes("written", written);
    }
    FUZZ_CHECK(written == expected);
}

void checkField(const QString& text, int width)
{
    // A field never shows more characters than it has bytes.
    FUZZ_CHECK(text.size() <= width);
}

void checkNumber(float value)
{
    const QString text = TextConversions::textOfSingle(value);
    FUZZ_CHECK(!text.isEmpty() && text.size() <= 13);
}

void checkDate(double days)
{
    FUZZ_CHECK(!TextConversions::textOfDate(days).isEmpty());
}

void fuelRecord(QByteArrayView input)
{
    const FuelRecord r = FuelRecord::decode(input);
    checkRewrite(input, r.encode(), FuelRecord::Size);
    checkField(r.brandText(), FuelRecord::BrandWidth);
    checkField(r.memoText(), FuelRecord::MemoWidth);
    checkDate(r.date);
    for (const float value : {r.odometer, r.tripDistance, r.fuelAmount, r.unitPrice, r.economy})
        checkNumber(value);
}

void vehicleRecord(QByteArrayView input)
{
    const VehicleRecord r = VehicleRecord::decode(input);
    checkRewrite(input, r.encode(), VehicleRecord::Size);
    checkField(r.nameText(), VehicleRecord::NameWidth);
    checkField(r.plateNumberText(), VehicleRecord::PlateWidth);
    checkField(r.chassisNumberText(), VehicleRecord::ChassisWidth);
    checkDate(r.startDate);
    checkDate(r.insuranceExpiry);
    checkNumber(r.startOdometer);
}

// A flags file keeps the entries it can read, whole and flagged, and writes them back as it read
// them.
void fillFlags(QByteArrayView input)
{
    const QByteArray written = FillFlags::decode(input.toByteArray()).encode();
    FUZZ_CHECK(written.size() % FillFlags::EntrySize == 0 && written.size() <= input.size());
    FUZZ_CHECK(FillFlags::decode(written).encode() == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input = bytes(data, size);
    fuelRecord(input);
    vehicleRecord(input);
    fillFlags(input);
    return 0;
}
