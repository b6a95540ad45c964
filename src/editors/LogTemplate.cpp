#include "editors/LogTemplate.h"

#include "app/CAppSettings.h"
#include "util/FileHelpers.h"
#include "util/HomeFolder.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <limits>

const QString kDefaultLogTemplate =
    QStringLiteral("Took: \r\nLeft: \r\nTook TB: \r\nLeft TB: \r\n");

namespace {

// The next find number; the counter moves on by one and is saved at once, so that a crash does
// not hand out the same number twice. At the largest value it stays put instead of wrapping to a
// negative number.
QString TakeFindNumber() {
    CAppSettings& settings = CAppSettings::Global();
    const int number = settings.m_foundCount;
    if (settings.m_foundCount < std::numeric_limits<int>::max())
        ++settings.m_foundCount;
    settings.SaveSettings();
    return QString::number(number);
}

} // namespace

QString ExpandLogTemplate(bool countsFind) {
    const QString path = HomePath(QStringLiteral("LogTemplate.txt"));

    // Binary mode keeps the template's own line ends.
    QString text;
    ReadTextFile(path, text, true);
    if (text.isEmpty()) {
        text = kDefaultLogTemplate;
        if (const std::unique_ptr<QFile> file = OpenTextFile(path, QStringLiteral("wb")))
            WriteText(file.get(), text);
    }

    const QString findNumber = countsFind ? TakeFindNumber() : QString();
    const QLocale locale = QLocale::system();
    text.replace(QLatin1String("%fcount%"), findNumber);
    text.replace(QLatin1String("%date%"),
                 locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    text.replace(QLatin1String("%time%"),
                 locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    return text;
}
