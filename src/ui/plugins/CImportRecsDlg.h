#pragma once

#include "plugins/CImportChoices.h"
#include "ui/framework/CPropertySheetEx.h"

#include <QStringList>

class CImportOptionPage;
class CImportRoutingPage;
class QPushButton;

// The import dialog "Import Records": the "Options" page picks the import plug-in, the target
// database and the import options, the "Routing" page the categories of that database that
// incoming records are filed into. "Start" stores every choice in the settings and ends the
// dialog with kStart, which lets the import run; Cancel stores nothing. Help opens the topic
// "importing_records".
class CImportRecsDlg : public CPropertySheetEx {
    Q_OBJECT
public:
    // The result of the dialog when the import is to run.
    static constexpr int kStart = 2;
    // The command of the "Start" button.
    static constexpr int kStartCommand = 1;

    // `pluginNames`: the import plug-ins; `databaseNames`: the record databases. Both lists are
    // shown sorted.
    CImportRecsDlg(const QStringList& pluginNames, const QStringList& databaseNames,
                   QWidget* parent = nullptr);

    // Prepares the dialog as it opens: false (the dialog ends as cancelled without showing) when
    // there is no database or none can be selected; otherwise the choices are loaded from the
    // settings and the target database is selected, which may warn that the routing categories
    // changed.
    bool Prepare();
    // Prepare, then the dialog modally; true when it ended with Start.
    bool Run();

    CImportChoices& Choices() { return m_choices; }
    const QStringList& PluginNames() const { return m_pluginNames; }
    const QStringList& DatabaseNames() const { return m_databaseNames; }
    CImportOptionPage* OptionPage() const { return m_optionPage; }
    CImportRoutingPage* RoutingPage() const { return m_routingPage; }
    QPushButton* StartButton() const { return m_startButton; }

    // Start: the page on display stores its controls; without a plug-in the dialog ends as
    // cancelled, otherwise the choices go into the settings, which are saved, and the dialog ends
    // with kStart.
    void OnStart();

public slots:
    // Confirming the dialog (the Enter key) is Start.
    void accept() override;

protected:
    void OnCommand(int command) override;

private:
    QStringList m_pluginNames;
    QStringList m_databaseNames;
    CImportChoices m_choices;
    CImportOptionPage* m_optionPage;
    CImportRoutingPage* m_routingPage;
    QPushButton* m_startButton = nullptr;
};
