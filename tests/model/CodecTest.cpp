#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"
#include "model/codec/Cp1252.h"
#include "model/codec/OleDate.h"
#include "support/HandBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kalmur;
using handbytes::Bytes;

TEST(Cp1252, EveryByteRoundTripsAndTheHighRangeMapsToItsCharacters) {
    std::vector<std::uint8_t> all(256);
    for (int i = 0; i < 256; ++i) {
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    const QString text = decodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    const QByteArray back = encodeCp1252(text);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(all.data()), 256), back);

    EXPECT_EQ(text[0x80], QChar(0x20AC));                               // euro sign
    EXPECT_EQ(text[0x92], QChar(0x2019));                               // right single quote
    EXPECT_EQ(text[0xE9], QChar(0x00E9));                               // e acute
    EXPECT_EQ(encodeCp1252(QStringLiteral("\u4E2D")), QByteArray("?")); // no byte for it
}

TEST(ByteReader, ReadsLittleEndianAndFailsCleanlyPastTheEnd) {
    Bytes b(12, 0);
    handbytes::put16(b, 0, -2);
    handbytes::put32(b, 2, 0x12345678);
    handbytes::putFloat(b, 6, 1.5f);
    const ByteReader in(b);
    EXPECT_EQ(in.i16(0), -2);
    EXPECT_EQ(in.i32(2), 0x12345678);
    EXPECT_EQ(in.f32(6), 1.5f);
    EXPECT_TRUE(in.ok());

    EXPECT_EQ(in.i16(11), 0); // one byte short
    EXPECT_FALSE(in.ok());
    EXPECT_EQ(in.f64(std::numeric_limits<std::size_t>::max() - 2), 0.0); // no wrap-around
    EXPECT_TRUE(in.text(10, 5).isEmpty());
    EXPECT_TRUE(in.bytes(4, 100).empty());
}

TEST(ByteReaderWriter, TextIsCutPaddedAndTrimmed) {
    Bytes b(10, 0xAA);
    ByteWriter w(b);
    w.setText(2, 5, QStringLiteral("Vacation"));
    EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 7), "Vacat");
    w.setText(2, 5, QStringLiteral("ab"));
    EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 7), "ab   ");
    EXPECT_EQ(b[1], 0xAA); // neighbours untouched
    EXPECT_EQ(b[7], 0xAA);
    EXPECT_EQ(ByteReader(b).text(2, 5), QStringLiteral("ab"));

    // Leading spaces are kept; trailing spaces and never-written zero bytes go.
    Bytes z = {' ', 'x', ' ', 0, 0};
    EXPECT_EQ(ByteReader(z).text(0, 5), QStringLiteral(" x"));

    w.setI16(9, 1); // does not fit
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(b[9], 0xAA);
    w.setBoolean(0, true);
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xFF);
}

TEST(OleDate, DaysCountFromTheEndOf1899AndTimesLieOnDayZero) {
    EXPECT_EQ(OleDate::fromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(OleDate::fromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(OleDate::fromDate(QDate(1997, 1, 1)), 35431.0);
    EXPECT_EQ(OleDate::toDate(35431.75), QDate(1997, 1, 1));
    EXPECT_EQ(OleDate::toDate(-1.0), QDate(1899, 12, 29));
    EXPECT_EQ(OleDate::fromTime(QTime(6, 0)), 0.25);
    EXPECT_EQ(OleDate::toTime(0.25), QTime(6, 0));
    EXPECT_EQ(OleDate::toTime(35431.5), QTime(12, 0));
    EXPECT_EQ(OleDate::toTime(-1.25),
              QTime(6, 0)); // before the epoch the fraction counts away from 0
    EXPECT_EQ(OleDate::toTime(0.99999), QTime(0, 0)); // rounds to the next midnight

    EXPECT_FALSE(OleDate::toDate(std::nan("")));
    EXPECT_FALSE(OleDate::toDate(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(OleDate::toDate(1e300));
    EXPECT_EQ(OleDate::toTime(std::nan("")), QTime(0, 0));
}
