#include "CCliTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

CCliTestHome::Result CCliTestHome::Run(const QStringList& arguments) const {
    QProcess process;
    process.setProgram(QStringLiteral(QB_CLI_EXE));
    process.setArguments(arguments);
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process.start();
    Result result;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        ADD_FAILURE() << "quarrybook-cli did not run: " << arguments;
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void CCliTestHome::MakeWalksDb() {
    QDir().mkpath(Path(QStringLiteral("DB_Files")));
    WriteFile(QStringLiteral("SiteUserIDs.txt"), "Ann\n");
    CCacheDb db;
    ASSERT_TRUE(db.Open(Path(QStringLiteral("DB_Files/Walks")), QStringLiteral("Walks")));
    ASSERT_TRUE(db.AddCategory(QStringLiteral("Hikes")));
    ASSERT_TRUE(db.SaveCategories());

    struct Row {
        const char* wpt;
        const char* name;
        const char* type;
        const char* cont;
        const char* diff;
        const char* terr;
        const char* owner;
        bool hikes;
        quint32 flags;
        int logType;
        double lat;
        double lon;
    };
    const Row rows[] = {
        {"GC100", "Alpha", "Traditional Cache", "Small", "1.5", "2", "Ann", true,
         kFlagBugs | kFlagBookmarked, 2, 47.616667, -122.333333},
        {"GC200", "beta", "Multi-cache", "Regular", "3", "1", "Bob", false,
         kFlagFound | kFlagDisabled, 3, 47.6004, -122.333333},
        {"GC300", "Gamma\tx", "Virtual Cache", "Virtual", "", "", "Cid", false, 0, 1, 200.0, 200.0},
        {"WP1", "Delta", "Waypoint", "", "", "", "", false, 0, 0, 48.6, -122.333333},
    };
    int i = 0;
    for (const Row& row : rows) {
        CCacheRecord r;
        r.wpt = QString::fromUtf8(row.wpt);
        r.name = QString::fromUtf8(row.name);
        r.rtype = QString::fromUtf8(row.type);
        r.cont = QString::fromUtf8(row.cont);
        r.diff = QString::fromUtf8(row.diff);
        r.terr = QString::fromUtf8(row.terr);
        r.owner = QString::fromUtf8(row.owner);
        r.cid = row.hikes ? db.CategoryIdOf(QStringLiteral("Hikes")) : 0;
        r.flags = row.flags;
        r.log_type = row.logType;
        r.lat = row.lat;
        r.lon = row.lon;
        r.descr = QStringLiteral("Start at the gate.\r\nWalk & look <up>.");
        r.hints = QStringLiteral("Haqre gur ebpx");
        r.past_log = QStringLiteral("05/01/2024\x01"
                                    "Found it\x01"
                                    "by Eve\x01"
                                    "Gur obk vf jrg");
        r.log_notes = QStringLiteral("My notes");
        ASSERT_TRUE(db.SaveRecord(r, true));
        walksIds[i++] = r.id;
    }
    db.Close();
}

void CCliTestHome::InstallPlugin(const QString& libraryPath) const {
    const QString folder = Path(QStringLiteral("Plugins"));
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(libraryPath, folder + u'/' + QFileInfo(libraryPath).fileName()))
        << libraryPath.toStdString();
}

std::ostream& operator<<(std::ostream& os, const QStringList& list) {
    return os << '[' << list.join(QStringLiteral("] [")).toStdString() << ']';
}
