#pragma once

#include "ui/framework/CPropertyPageEx.h"

#include <QString>

#include <utility>
#include <vector>

class QTreeWidget;

// The "Version" page of the about box: a list with the columns "Module" and "Ver" holding one row
// per plug-in name and the row "Quarrybook" with the program's version, sorted by module name.
class CAboutVerPage : public CPropertyPageEx {
    Q_OBJECT
public:
    // Plug-in names with their version texts.
    using ModuleVersions = std::vector<std::pair<QString, QString>>;

    explicit CAboutVerPage(ModuleVersions plugins, QWidget* parent = nullptr);

    void OnInitPage() override;
    QTreeWidget* List() const { return m_list; }

private:
    ModuleVersions m_plugins;
    QTreeWidget* m_list;
};
