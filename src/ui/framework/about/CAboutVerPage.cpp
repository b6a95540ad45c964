#include "ui/framework/about/CAboutVerPage.h"

#include "util/FileHelpers.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CAboutVerPage::CAboutVerPage(ModuleVersions plugins, QWidget* parent)
    : CPropertyPageEx(QStringLiteral("Version"), parent), m_plugins(std::move(plugins)),
      m_list(new QTreeWidget(this)) {
    m_list->setRootIsDecorated(false);
    // The list fills its page without a label; it is named after the page.
    m_list->setAccessibleName(Caption());
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    StretchControl(m_list);
}

void CAboutVerPage::OnInitPage() {
    m_list->clear();
    m_list->setHeaderLabels({QStringLiteral("Module"), QStringLiteral("Ver")});

    // One row per module name; the program's own entry is added last and so wins a name clash.
    ModuleVersions modules;
    auto put = [&modules](const QString& name, const QString& version) {
        auto same = std::find_if(modules.begin(), modules.end(),
                                 [&name](const auto& entry) { return entry.first == name; });
        if (same != modules.end())
            same->second = version;
        else
            modules.emplace_back(name, version);
    };
    for (const auto& [name, version] : m_plugins)
        put(name, version);
    put(QStringLiteral("Quarrybook"), ProgramVersionText());

    // Sorted by module name without regard to case, as the list sorts its rows.
    std::sort(modules.begin(), modules.end(), [](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.first < b.first;
    });
    for (const auto& [name, version] : modules)
        new QTreeWidgetItem(m_list, {name, version});

    // "Ver" fits its header and widest entry; "Module" takes the rest of the width.
    QHeaderView* header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}
