#pragma once

#include "CTestHome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A temporary home folder with a hand-made settings file and a way to look into the file on disk
// without QSettings, whose in-process cache could otherwise hide what was really written.
class SettingsTestHome : public CTestHome {
protected:
    void WriteSettings(const QByteArray& ini) const { WriteFile("Quarrybook.ini", ini); }
    // The raw text after "name=" in the file's [section], or nothing when there is no such line.
    std::optional<QString> StoredValue(const QString& section, const QString& name) const;
};
