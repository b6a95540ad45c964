#include "SettingsTestHome.h"

#include <QStringList>

std::optional<QString> SettingsTestHome::StoredValue(const QString& section,
                                                     const QString& name) const {
    const QStringList lines = QString::fromUtf8(ReadFile("Quarrybook.ini")).split('\n');
    QString current;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            current = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (current == section && eq > 0 && line.left(eq).trimmed() == name)
            return line.mid(eq + 1).trimmed();
    }
    return std::nullopt;
}
