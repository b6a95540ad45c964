// The travel bug log and the overdue count of CBugInventory.

#include "travelbugs/CBugInventory.h"

#include "db/CCacheRecord.h"
#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"
#include "util/FileHelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {
constexpr qint64 MsecsPerDay = 24LL * 60 * 60 * 1000;

// Milliseconds between two local times as the wall clock shows them, so that a change to or
// from summer time in between does not move the overdue day by an hour.
qint64 WallClockMsecs(const QDateTime& from, const QDateTime& to) {
    const QDateTime a(from.date(), from.time(), Qt::UTC);
    const QDateTime b(to.date(), to.time(), Qt::UTC);
    return a.msecsTo(b);
}
} // namespace

int CBugInventory::CountOverdue() {
    return CountOverdue(CAppSettings::Global().m_bugMaxDays, QDateTime::currentDateTime());
}

int CBugInventory::CountOverdue(int maxDays, const QDateTime& nowLocal) {
    if (!BeginList(false))
        return 0;
    int count = 0;
    CBugRecord bug;
    while (NextBug(bug)) {
        if (IsOverdue(bug.insert_ts, maxDays, nowLocal))
            ++count;
    }
    EndList();
    return count;
}

bool CBugInventory::IsOverdue(Timestamp insertTs, int maxDays, const QDateTime& nowLocal) {
    if (insertTs == 0)
        return false;
    const QDateTime entered = TimestampToLocal(insertTs);
    if (!entered.isValid())
        return false;
    return WallClockMsecs(entered, nowLocal) >= qint64(maxDays) * MsecsPerDay;
}

QString CBugInventory::DateTimeText(const QDateTime& local) {
    // The short date and the time with seconds, without the time zone that Qt's long time
    // format adds.
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    timeFormat.replace(zone, QStringLiteral(" "));
    timeFormat = timeFormat.trimmed();
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), timeFormat);
}

QString CBugInventory::LogLine(const CBugRecord& bug, const CCacheRecord* cache, bool taken,
                               const QDateTime& when) {
    const QString date = DateTimeText(when);
    if (!taken) {
        return QStringLiteral("[[%1]] Dropped \"%2\" (%3, serial=%4) into \"%5\" (%6)\n")
            .arg(date, bug.name, bug.tb_num, bug.serial, cache ? cache->name : QString(),
                 cache ? cache->wpt : QString());
    }
    if (cache) {
        return QStringLiteral("[[%1]] Took \"%2\" (%3, serial=%4) from \"%5\" (%6)\n")
            .arg(date, bug.name, bug.tb_num, bug.serial, cache->name, cache->wpt);
    }
    return QStringLiteral("[[%1]] Grabbed \"%2\" (%3, serial=%4)\n")
        .arg(date, bug.name, bug.tb_num, bug.serial);
}

void CBugInventory::LogTransfer(const CBugRecord& bug, CCacheRecord* cache, bool taken) {
    const QString line = LogLine(bug, cache, taken, QDateTime::currentDateTime());
    bool written = false;
    if (auto file = OpenTextFile(m_logPath, QStringLiteral("a"))) {
        written = WriteText(file.get(), line);
        file->close();
        written = written && file->error() == QFileDevice::NoError;
    }
    if (!written) {
        ShowError(QStringLiteral(
            "Error writing to travel bug log.  Is the file open in another application?"));
    } else if (GetLogSize() > LogWarningSize) {
        ShowWarning(QStringLiteral("The travel bug log has grown to over 30KB in size.  You may "
                                   "want to clear it soon."));
    }

    if (cache) {
        cache->log_notes +=
            QStringLiteral("\r\n- Bug \"%1\" %2")
                .arg(bug.name, taken ? QStringLiteral("taken") : QStringLiteral("dropped"));
        if (cache->log_type == 0)
            cache->log_type = 1;
    }
}

qint64 CBugInventory::GetLogSize() const {
    QFile file(m_logPath);
    if (m_logPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return -1;
    return file.size();
}

void CBugInventory::ViewLog() {
    if (GetLogSize() == -1) {
        ShowInfo(QStringLiteral("Travel bug log is empty."));
        return;
    }
    ShellOpen(m_logPath);
}

void CBugInventory::ClearLog() {
    if (!QFileInfo::exists(m_logPath) || QFile::remove(m_logPath))
        ShowInfo(QStringLiteral("Travel bug log is cleared."));
    else
        ShowError(QStringLiteral(
            "Error clearing travel bug log.  Is the file open in another application?"));
}
