#include "settings/CSettingsStore.h"

#include "util/HomeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace {

QString Key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}

} // namespace

CSettingsStore::CSettingsStore() : CSettingsStore(DefaultPath()) {}

CSettingsStore::CSettingsStore(const QString& path) : m_path(path) {
    // QSettings writes the file through a temporary copy, so a failure halfway keeps the old one;
    // it does not create the folder for us.
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

CSettingsStore::~CSettingsStore() {
    m_settings->sync();
}

QString CSettingsStore::DefaultPath() {
    const QString fileName = QStringLiteral("Quarrybook.ini");
    if (HomeIsSelfContained())
        return HomePath(fileName);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quarrybook/") + fileName;
}

bool CSettingsStore::HasValue(const QString& section, const QString& name) const {
    return m_settings->contains(Key(section, name));
}

QString CSettingsStore::ReadText(const QString& section, const QString& name,
                                 const QString& fallback) const {
    const QVariant value = m_settings->value(Key(section, name));
    if (!value.isValid())
        return fallback;
    // An unquoted text with commas, as a hand-edited file may hold, reads as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

int CSettingsStore::ReadInt(const QString& section, const QString& name, int fallback) const {
    const QVariant value = m_settings->value(Key(section, name));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    int result = 0;
    switch (value.metaType().id()) {
    case QMetaType::QString:
        // The file holds every value as text; only a plain 32-bit decimal number is an integer.
        result = value.toString().trimmed().toInt(&ok, 10);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        // Written in this session and not read back from the file yet.
        result = value.toInt(&ok);
        break;
    default:
        break;
    }
    return ok ? result : fallback;
}

void CSettingsStore::WriteText(const QString& section, const QString& name, const QString& text) {
    m_settings->setValue(Key(section, name), text);
}

void CSettingsStore::WriteInt(const QString& section, const QString& name, int value) {
    m_settings->setValue(Key(section, name), value);
}

void CSettingsStore::DeleteValue(const QString& section, const QString& name) {
    m_settings->remove(Key(section, name));
}

void CSettingsStore::Flush() {
    m_settings->sync();
}
