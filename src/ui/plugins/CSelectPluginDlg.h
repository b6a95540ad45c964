#pragma once

#include <QDialog>
#include <QStringList>

class CMenuEdit;
class QListWidget;
class QPushButton;

// The dialog "Select Plugin": picks the plug-in for a role from the role's plug-ins, and for
// Export Records (role 5) also the maximum record count. It opens on the role's stored choice
// (letter case aside; the first plug-in when the stored one is not listed) with an empty count.
// Start stores the chosen plug-in as the role's choice and the count as the limit ("ExpMaxRec",
// empty for no limit, which the dialog of every other role stores too) and saves the settings.
// Help opens the topic "plugin_support".
class CSelectPluginDlg : public QDialog {
    Q_OBJECT
public:
    CSelectPluginDlg(int role, const QStringList& pluginNames, QWidget* parent = nullptr);

    int Role() const { return m_role; }
    CMenuEdit* MaxCountEdit() const { return m_maxCount; }
    QListWidget* PluginList() const { return m_list; }
    QPushButton* StartButton() const { return m_start; }

    // Start: without a selected plug-in the dialog ends as cancelled; otherwise the choice and
    // the count are stored, the settings saved, and the dialog ends accepted.
    void OnStart();

public slots:
    // Confirming the dialog (Enter, a double click on a plug-in) is Start.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int m_role;
    CMenuEdit* m_maxCount;
    QListWidget* m_list;
    QPushButton* m_start;
    bool m_scrolled = false;
};
