#pragma once

#include <QString>

// A plug-in library loaded for one use: discovery, one link check or one invocation. The library
// is unloaded when the object goes out of scope, so that no plug-in stays in memory between uses.
class CPluginLibrary {
public:
    CPluginLibrary() = default;
    // Loads the library at `path` (absolute); IsLoaded() tells whether that worked.
    explicit CPluginLibrary(const QString& path);
    ~CPluginLibrary();
    CPluginLibrary(const CPluginLibrary&) = delete;
    CPluginLibrary& operator=(const CPluginLibrary&) = delete;

    bool IsLoaded() const { return m_handle != nullptr; }
    // The address of an export, or null when it is missing or nothing is loaded.
    void* Symbol(const char* name) const;
    // Unloads the library now.
    void Unload();

private:
    void* m_handle = nullptr;
};
