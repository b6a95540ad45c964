#include "plugins/CPluginLibrary.h"

#include <QFile>

#include <dlfcn.h>

CPluginLibrary::CPluginLibrary(const QString& path) {
    // Every reference is resolved at load time, so that a library with an unresolvable import is
    // refused here instead of failing in the middle of a call. The library's symbols stay local:
    // plug-ins export the same names and must not see each other's.
    m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

CPluginLibrary::~CPluginLibrary() {
    Unload();
}

void* CPluginLibrary::Symbol(const char* name) const {
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

void CPluginLibrary::Unload() {
    if (m_handle) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}
