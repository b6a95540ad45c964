#include "AccessibleTree.h"
// The Select Plugin dialog: the plug-in it opens on, the count field of Export Records, and what
// Start and Cancel store.
#include "CGuiTestHome.h"

#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CMenuEdit.h"
#include "ui/plugins/CSelectPluginDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class SelectPluginDlgTest : public CGuiTestHome {
protected:
    void SetUp() override {
        CGuiTestHome::SetUp();
        CAppSettings::SetGlobal(&settings);
        settings.LoadSettings();
    }
    void TearDown() override {
        CAppSettings::SetGlobal(nullptr);
        CGuiTestHome::TearDown();
    }

    // The settings as a new start of the program would read them.
    CAppSettings Saved() const {
        CAppSettings saved;
        saved.LoadSettings();
        return saved;
    }

    CAppSettings settings;
};

TEST_F(SelectPluginDlgTest, OpensOnTheStoredPluginWithTheCountOnlyForExportRecords) {
    const QStringList names = {QStringLiteral("Zeta Map"), QStringLiteral("beta map"),
                               QStringLiteral("Alpha Map")};
    struct Case {
        int role;
        const char* stored;
        const char* selected;
        bool countEnabled;
    } const cases[] = {
        {kRoleMapping, "Zeta Map", "Zeta Map", false},
        {kRoleExportRecords, "BETA MAP", "beta map", true},
        {kRoleExportRecord, "Gone Map", "Alpha Map", false},
        {kRoleListCalculation, "", "Alpha Map", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        settings.SetRolePlugin(c.role, QString::fromLatin1(c.stored));
        CSelectPluginDlg dialog(c.role, names);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Plugin"));
        QListWidget* list = dialog.PluginList();
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Alpha Map"));
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("beta map"));
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("Zeta Map"));
        ASSERT_TRUE(list->currentItem());
        EXPECT_TRUE(list->currentItem()->isSelected());
        EXPECT_EQ(list->currentItem()->text(), QString::fromLatin1(c.selected));
        EXPECT_EQ(dialog.MaxCountEdit()->isEnabled(), c.countEnabled);
        EXPECT_TRUE(dialog.MaxCountEdit()->text().isEmpty());
        EXPECT_TRUE(dialog.StartButton()->isDefault());
        dialog.show();
        EXPECT_EQ(UnnamedControls(&dialog).join(", "), QString());
        dialog.hide();
    }
}

TEST_F(SelectPluginDlgTest, StartStoresThePluginAndTheCountAndSaves) {
    const QStringList names = {QStringLiteral("GPX Export"), QStringLiteral("Field Notes Export")};
    // Export Records sets a limit; the digits-only field drops anything else typed.
    {
        CSelectPluginDlg dialog(kRoleExportRecords, names);
        CModalRunner::ScriptAs<CSelectPluginDlg>([](CSelectPluginDlg& d) {
            QTest::keyClicks(d.MaxCountEdit(), QStringLiteral("1x0-0"));
            EXPECT_EQ(d.MaxCountEdit()->text(), QStringLiteral("100"));
            d.PluginList()->setCurrentRow(1);
            d.StartButton()->click();
        });
        EXPECT_EQ(CModalRunner::Run(dialog), int(QDialog::Accepted));
        const CAppSettings saved = Saved();
        EXPECT_EQ(saved.GetRolePlugin(kRoleExportRecords), QStringLiteral("GPX Export"));
        EXPECT_EQ(saved.m_expMaxRec, QStringLiteral("100"));
    }
    // Any other role clears it.
    {
        CSelectPluginDlg dialog(kRoleExportRecord, names);
        CModalRunner::ScriptAs<CSelectPluginDlg>([](CSelectPluginDlg& d) { d.accept(); });
        EXPECT_EQ(CModalRunner::Run(dialog), int(QDialog::Accepted));
        const CAppSettings saved = Saved();
        EXPECT_EQ(saved.GetRolePlugin(kRoleExportRecord), QStringLiteral("Field Notes Export"));
        EXPECT_TRUE(saved.m_expMaxRec.isEmpty());
        EXPECT_EQ(saved.GetRolePlugin(kRoleExportRecords), QStringLiteral("GPX Export"));
    }
}

TEST_F(SelectPluginDlgTest, CancelAndStartWithoutASelectionStoreNothing) {
    settings.m_expMaxRec = QStringLiteral("7");
    settings.SaveSettings();
    struct Case {
        const char* label;
        QStringList names;
        bool start;
    } const cases[] = {
        {"Cancel", {"GPX Export"}, false},
        {"Start with an empty list", {}, true},
        {"Start with the selection cleared", {"GPX Export"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CSelectPluginDlg dialog(kRoleExportRecords, c.names);
        CModalRunner::ScriptAs<CSelectPluginDlg>([&c](CSelectPluginDlg& d) {
            d.MaxCountEdit()->setText(QStringLiteral("5"));
            if (!c.start) {
                d.reject();
                return;
            }
            d.PluginList()->clearSelection();
            d.StartButton()->click();
        });
        EXPECT_EQ(CModalRunner::Run(dialog), int(QDialog::Rejected));
        const CAppSettings saved = Saved();
        EXPECT_EQ(saved.m_expMaxRec, QStringLiteral("7"));
        EXPECT_TRUE(saved.GetRolePlugin(kRoleExportRecords).isEmpty());
    }
}

} // namespace
