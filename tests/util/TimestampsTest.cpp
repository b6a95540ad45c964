#include "util/Timestamps.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// 1970-01-01 00:00 UTC as a timestamp.
constexpr Timestamp kUnixEpoch = 116444736000000000ULL;

TEST(TimestampsTest, ParseReadsTwoHexHalves) {
    const std::pair<const char*, Timestamp> cases[] = {
        {"00000001000000FF", 0x1000000FFULL},
        {"00000001000000ff", 0x1000000FFULL},
        {"019DB1DED53E8000", kUnixEpoch},
        {"FFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFFULL},
        {"00000001000000F", 0},   // 15 characters
        {"00000001000000FF0", 0}, // 17 characters
        {"", 0},
        // Each half reads up to its first character that is not a hex digit.
        {"0000001G000000FX", 0x10000000FULL},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseTimestamp(QString::fromLatin1(text)), expected);
    }
}

TEST(TimestampsTest, HexFormRoundTrips) {
    const Timestamp values[] = {0, 1, 0x1000000FFULL, kUnixEpoch, 0xFFFFFFFFFFFFFFFFULL};
    for (const Timestamp ts : values) {
        const QString hex = TimestampHex(ts);
        SCOPED_TRACE(hex.toStdString());
        EXPECT_EQ(hex.size(), 16);
        EXPECT_EQ(hex, hex.toUpper());
        EXPECT_EQ(ParseTimestamp(hex), ts);
    }
    EXPECT_EQ(TimestampHex(0x1000000FFULL), "00000001000000FF");
}

TEST(TimestampsTest, UtcConversions) {
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
    EXPECT_EQ(TimestampToUtc(kUnixEpoch), epoch);
    EXPECT_EQ(DateTimeToTimestamp(epoch), kUnixEpoch);
    EXPECT_EQ(DateTimeToTimestamp(QDateTime(QDate(1601, 1, 1), QTime(0, 0, 0, 1), Qt::UTC)),
              10000u);
    EXPECT_FALSE(TimestampToUtc(0).isValid());
    EXPECT_FALSE(TimestampToLocal(0).isValid());
    EXPECT_EQ(DateTimeToTimestamp(QDateTime()), 0u);
    EXPECT_EQ(LocalToTimestamp(QDateTime()), 0u);

    const Timestamp now = CurrentTimestamp();
    const QDateTime back = TimestampToUtc(now);
    EXPECT_LE(qAbs(back.secsTo(QDateTime::currentDateTimeUtc())), 5);
}

// Runs the local-time checks in a fixed zone with daylight saving time.
class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedTz = qgetenv("TZ");
        m_hadTz = qEnvironmentVariableIsSet("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }
    void TearDown() override {
        if (m_hadTz)
            qputenv("TZ", m_savedTz);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_savedTz;
    bool m_hadTz = false;
};

TEST_F(LocalTimeTest, LocalFieldsFollowTheZoneAndRoundTrip) {
    struct Case {
        QDateTime utc;
        QDate localDate;
        QTime localTime;
    };
    const Case cases[] = {
        {QDateTime(QDate(2023, 1, 15), QTime(12, 0, 0), Qt::UTC), QDate(2023, 1, 15),
         QTime(13, 0, 0)},
        {QDateTime(QDate(2023, 7, 1), QTime(23, 30, 15), Qt::UTC), QDate(2023, 7, 2),
         QTime(1, 30, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utc.toString(Qt::ISODate).toStdString());
        const Timestamp ts = DateTimeToTimestamp(c.utc);
        const QDateTime local = TimestampToLocal(ts);
        EXPECT_EQ(local.date(), c.localDate);
        EXPECT_EQ(local.time(), c.localTime);
        EXPECT_EQ(LocalToTimestamp(local), ts);
        // The picked fields count as local time whatever the value's own time spec.
        EXPECT_EQ(LocalToTimestamp(QDateTime(c.localDate, c.localTime, Qt::UTC)), ts);
    }
}

} // namespace
