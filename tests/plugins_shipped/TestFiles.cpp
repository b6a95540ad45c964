#include "TestFiles.h"

#include "CGeoFileReader.h"

#include <QFile>

#include <gtest/gtest.h>

CReadResult ReadGeoFile(const QString& path) {
    CReadResult result;
    CGeoFileReader reader;
    result.ok = reader.Read(path, [&result](CGeoRecord& record) {
        result.records.push_back(record);
        return true;
    });
    result.errors = reader.Errors();
    result.notices = reader.Notices();
    return result;
}

QString DataPath(const QString& name) {
    return QStringLiteral(QB_GPX_DATA_DIR "/") + name;
}

QByteArray DataBytes(const QString& name) {
    QFile file(DataPath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const CGeoRecord* FindCode(const std::vector<CGeoRecord>& records, const QString& code) {
    for (const CGeoRecord& r : records) {
        if (r.code == code) {
            return &r;
        }
    }
    return nullptr;
}
