#!/usr/bin/env python3
# Writes the seed inputs of fuzz_import into fuzz/corpus/fuzz_import/: one byte for what stands
# at each source file's place, the fuel log's length in two bytes (little endian), the fuel
# log's bytes, then the vehicle file's bytes.
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "fuzz_import")

FILE, MISSING, FOLDER, LINK = 0, 1, 2, 3


def text(value, width):
    data = value.encode("cp932")
    return data + b" " * (width - len(data))


def fuel(date, odometer, trip, brand, amount, price, economy, payment, memo):
    record = struct.pack("<dff", date, odometer, trip) + text(brand, 12)
    record += struct.pack("<fffh", amount, price, economy, payment) + text(memo, 40)
    assert len(record) == 82
    return record


def vehicle(name, start, odometer, plate, chassis, expiry, oil):
    record = text(name, 16) + struct.pack("<df", start, odometer) + text(plate, 16)
    record += text(chassis, 20) + struct.pack("<dh", expiry, oil)
    assert len(record) == 74
    return record


def seed(name, log, car, log_placed=FILE, car_placed=FILE):
    flags = log_placed | (car_placed << 2)
    with open(os.path.join(out, name), "wb") as f:
        f.write(bytes([flags]) + struct.pack("<H", len(log)) + log + car)


first = fuel(37377, 1520, 0, "ENEOS", 4.2, 105, 0, 441, "満タン")
second = fuel(37391, 1710, 190, "出光", 4.5, 107, 42.2, 482, "")
third = fuel(37406, 1905.5, 195.5, "ENEOS", 4.8, 110, 40.7, 528, "オイル交換")
fourth = fuel(37452, 2101, 195.5, "ｺｽﾓ", 4.1, 112, 47.6, 459, "高速, \"遠出\"")
car = vehicle("CB50S", 37370, 1500, "品川 あ 1234", "CB50-1012345", 37800, 3000)

seed("empty", b"", b"")
seed("one-record-and-vehicle", first, car)
seed("two-records-and-vehicle", first + second, car)
seed("four-records-and-vehicle", first + second + third + fourth, car)
seed("log-without-vehicle", first + second + third, b"")
seed("vehicle-without-log", b"", car)
seed("torn-log-tail", first + second[:40], car)
seed("torn-vehicle-tail", first + second, car + car[:10])
seed("both-torn", first[:81], car[:73])
seed("vehicle-missing", first, car, car_placed=MISSING)
seed("log-is-a-folder", first, car, log_placed=FOLDER)
seed("log-is-a-link", first + second, car, log_placed=LINK)
seed("expired-insurance", first + third, vehicle("CB50S", 37370, 1500, "", "", 37400, -5))
