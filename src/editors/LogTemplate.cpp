#include "editors/LogTemplate.h"

#include "settings/CAppSettings.h"
#include "util/CUserInterface.h"
#include "util/FileHelpers.h"
#include "util/HomeFolder.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <limits>

const QString kDefaultLogTemplate =
    QStringLiteral("Took: \r\nLeft: \r\nTook TB: \r\nLeft TB: \r\n");

const QString kPrependTemplateQuestion =
    QStringLiteral("Prepend template to existing log notes?  Answering \"No\" will append the "
                   "template.");

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

bool InsertLogTemplate(const QString& notes, bool countsFind, QString& result) {
    const QString expanded = ExpandLogTemplate(countsFind);
    if (notes.isEmpty()) {
        result = expanded;
        return true;
    }
    switch (AskYesNoCancel(kPrependTemplateQuestion)) {
    case MsgAnswer::Yes:
        result = expanded + notes;
        return true;
    case MsgAnswer::No:
        result = notes + QStringLiteral("\r\n") + expanded;
        return true;
    default:
        return false;
    }
}

bool ToggleAutoInsertLogTemplate() {
    CAppSettings& settings = CAppSettings::Global();
    settings.m_autoInsLogTmpl = settings.m_autoInsLogTmpl ? 0 : 1;
    settings.SaveSettings();
    return settings.m_autoInsLogTmpl != 0;
}
