#pragma once

#include "settings/CAppSettings.h"

#include <QString>

#include <optional>
#include <vector>

// Keeps the settings a command changes for its own run from outliving it. The command-line tool
// changes the settings in memory only (the import and export choices a plug-in invocation reads,
// the list's filters, sort order, centre point and units) and never saves them. This scope takes
// a copy of the settings in memory when it begins and puts it back when it ends; and should some
// code have saved the settings meanwhile, every value that now holds the run's temporary text is
// set back in the store to what it held before.
class CTemporarySettings {
public:
    // Copies CAppSettings::Global() and the stored values this tool may change.
    CTemporarySettings();
    // Restores the settings in memory and repairs the store as described above.
    ~CTemporarySettings();
    CTemporarySettings(const CTemporarySettings&) = delete;
    CTemporarySettings& operator=(const CTemporarySettings&) = delete;

private:
    using StoredText = std::optional<QString>; // nullopt: the value is absent from the store

    CAppSettings m_memory;
    std::vector<StoredText> m_stored; // per guarded value, as stored when the scope began
};
