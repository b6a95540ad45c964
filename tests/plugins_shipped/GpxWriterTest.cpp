#include "CFieldNotesWriter.h"
#include "CGpxWriter.h"
#include "SampleRecords.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray WriteGpx(const std::vector<CGeoRecord>& records) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CGpxWriter writer(buffer);
    EXPECT_TRUE(writer.Begin(QDateTime(QDate(2024, 5, 2), QTime(8, 15, 0), Qt::UTC)));
    for (const CGeoRecord& r : records) {
        EXPECT_TRUE(writer.Write(r));
    }
    EXPECT_TRUE(writer.End());
    return buffer.data();
}

} // namespace

TEST(GpxWriter, WritesWhatTheReaderReadsBack) {
    const std::vector<CGeoRecord> records = SampleRecords();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.gpx"));
    WriteBytes(path, WriteGpx(records));
    const CReadResult result = ReadGeoFile(path);
    ASSERT_TRUE(result.ok) << result.errors.join(u'\n').toStdString();
    ASSERT_EQ(result.records.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        ExpectSameRecord(result.records[i], records[i]);
    }
}

TEST(GpxWriter, MatchesTheGoldenFile) {
    const QByteArray written = WriteGpx(SampleRecords());
    const QByteArray golden = DataBytes(QStringLiteral("export_golden.gpx"));
    EXPECT_EQ(QString::fromUtf8(written).toStdString(), QString::fromUtf8(golden).toStdString());
}

TEST(GpxWriter, RefusesRecordsWithoutCoordinates) {
    CGeoRecord record = SampleRecords()[0];
    record.lat = 200.0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CGpxWriter writer(buffer);
    ASSERT_TRUE(writer.Begin());
    const qint64 before = buffer.data().size();
    EXPECT_FALSE(writer.Write(record));
    EXPECT_TRUE(writer.End());
    EXPECT_FALSE(buffer.data().mid(before).contains("<wpt"));
}
