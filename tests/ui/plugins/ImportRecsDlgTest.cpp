#include "AccessibleTree.h"
// The import dialog: the choices it opens with, the target database it selects, the routing
// categories it checks against that database, and what Start and Cancel leave in the settings.
#include "CGuiTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "ui/framework/CModalRunner.h"
#include "ui/plugins/CImportOptionPage.h"
#include "ui/plugins/CImportRecsDlg.h"
#include "ui/plugins/CImportRoutingPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {

const QString kWarning =
    QStringLiteral("Import categories have changed.  Please check the Routing page.");
const QStringList kPlugins = {QStringLiteral("Zeta Import"), QStringLiteral("GPX Import")};

class ImportRecsDlgTest : public CGuiTestHome {
protected:
    void SetUp() override {
        CGuiTestHome::SetUp();
        CAppSettings::SetGlobal(&settings);
        settings.LoadSettings();
        databases = std::make_unique<CCacheDbManager>();
        CCacheDbManager::SetGlobal(databases.get());
        // "Default" has the default categories; "Trails" lacks "Found" and "Other" and has
        // "Hikes" instead.
        MakeDb(QStringLiteral("Default"), {}, {});
        MakeDb(QStringLiteral("Trails"), {QStringLiteral("Hikes")},
               {QStringLiteral("Found"), QStringLiteral("Other")});
        ui.Clear();
    }
    void TearDown() override {
        CCacheDbManager::SetGlobal(nullptr);
        databases.reset();
        CAppSettings::SetGlobal(nullptr);
        CGuiTestHome::TearDown();
    }

    void MakeDb(const QString& name, const QStringList& add, const QStringList& remove) {
        CCacheDb* db = databases->OpenDb(name);
        ASSERT_TRUE(db);
        for (const QString& category : add)
            EXPECT_TRUE(db->AddCategory(category));
        for (const QString& category : remove)
            db->DeleteCategory(category);
        EXPECT_TRUE(db->SaveCategories());
        databases->ReleaseDb(db);
    }
    QStringList DbNames() const {
        QStringList names;
        databases->ListDbs(names);
        return names;
    }
    QStringList Items(const QComboBox* list) const {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    // The settings as a new start of the program would read them.
    CAppSettings Saved() const {
        CAppSettings saved;
        saved.LoadSettings();
        return saved;
    }

    CAppSettings settings;
    std::unique_ptr<CCacheDbManager> databases;
};

TEST_F(ImportRecsDlgTest, OpensOnTheRememberedThenTheCurrentThenTheFirstDatabase) {
    MakeDb(QStringLiteral("Alpine"), {}, {});
    struct Case {
        const char* label;
        bool remember;
        const char* impDatabase;
        const char* current;
        const char* expected;
    } const cases[] = {
        {"remembered", true, "Trails", "Default", "Trails"},
        {"remembered, other letter case", true, "trails", "Default", "Trails"},
        {"not remembered: the list's database", false, "Trails", "Default", "Default"},
        {"remembered one is gone", true, "Gone", "Default", "Default"},
        {"both gone: the first database", true, "Gone", "Lost", "Alpine"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        settings.m_impSaveDb = c.remember ? 1 : 0;
        settings.m_impDatabase = QString::fromLatin1(c.impDatabase);
        settings.m_database = QString::fromLatin1(c.current);
        settings.m_impCateg = kUnfiledCategory;
        settings.m_impCategFound = settings.m_impCategOwned = settings.m_impCategExtra =
            kUnfiledCategory;
        CImportChoices choices;
        choices.Load(settings);
        ASSERT_TRUE(choices.SelectInitialDatabase(DbNames(), settings, *databases));
        EXPECT_EQ(choices.m_database, QString::fromLatin1(c.expected));
        EXPECT_TRUE(choices.m_categoriesNeedReload);
        // Trying a database that is gone does not create it.
        EXPECT_FALSE(databases->DbExists(QStringLiteral("Gone")));
        EXPECT_FALSE(databases->DbExists(QStringLiteral("Lost")));
        EXPECT_EQ(databases->OpenCount(), 0);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImportRecsDlgTest, SelectingADatabaseChecksTheRoutingCategoriesAndWarnsOnce) {
    struct Case {
        const char* database;
        bool selected;
        QStringList categories; // default, found, owned, extra
        bool warned;
    } const cases[] = {
        {"Default", true, {"Unfiled", "Found", "Owned", "Other"}, false},
        // Two categories become "Unfiled": one warning.
        {"Trails", true, {"Unfiled", "Unfiled", "Owned", "Unfiled"}, true},
        {"", false, {"Unfiled", "Found", "Owned", "Other"}, false},
        {"Gone", false, {"Unfiled", "Found", "Owned", "Other"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.database);
        ui.Clear();
        CImportChoices choices;
        choices.Load(settings); // the defaults: Unfiled, Found, Owned, Other
        choices.m_database = QStringLiteral("Default");
        EXPECT_EQ(choices.SelectDatabase(QString::fromLatin1(c.database), *databases), c.selected);
        EXPECT_EQ(QStringList({choices.m_categDefault, choices.m_categFound, choices.m_categOwned,
                               choices.m_categExtra}),
                  c.categories);
        EXPECT_EQ(choices.m_categoriesNeedReload, c.selected);
        EXPECT_EQ(choices.m_database,
                  c.selected ? QString::fromLatin1(c.database) : QStringLiteral("Default"));
        if (c.warned) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, kWarning);
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Exclamation);
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
    }
    EXPECT_FALSE(databases->DbExists(QStringLiteral("Gone")));
}

TEST_F(ImportRecsDlgTest, DoesNotOpenWithoutADatabase) {
    CImportRecsDlg dialog(kPlugins, {});
    EXPECT_FALSE(dialog.Run()); // no scripted step: the dialog is never shown
}

TEST_F(ImportRecsDlgTest, StartStoresEveryChoiceAndSavesTheSettings) {
    settings.m_impSaveDb = 0;
    settings.m_impDatabase = QStringLiteral("Trails");
    settings.m_database = QStringLiteral("Default");
    settings.SetRolePlugin(kRoleImportRecords, QStringLiteral("gpx import"));
    CImportRecsDlg dialog(kPlugins, DbNames());
    CModalRunner::ScriptAs<CImportRecsDlg>([this](CImportRecsDlg& sheet) {
        CImportOptionPage* options = sheet.OptionPage();
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Import Records"));
        EXPECT_EQ(sheet.HelpTopic(), QStringLiteral("importing_records"));
        EXPECT_EQ(sheet.TabCaption(0), QStringLiteral("Options"));
        EXPECT_EQ(sheet.TabCaption(1), QStringLiteral("Routing"));
        EXPECT_EQ(sheet.StartButton()->text(), QStringLiteral("Start"));
        EXPECT_TRUE(sheet.StartButton()->isVisible());
        // Start takes the place of OK.
        EXPECT_FALSE(sheet.CommandBar()->button(QDialogButtonBox::Ok)->isVisible());
        // Sorted lists; the stored plug-in found whatever its letter case; not remembered: the
        // list's database.
        EXPECT_EQ(Items(options->PluginList()), QStringList({"GPX Import", "Zeta Import"}));
        EXPECT_EQ(options->PluginList()->currentText(), QStringLiteral("GPX Import"));
        EXPECT_EQ(options->DatabaseList()->currentText(), QStringLiteral("Default"));
        EXPECT_FALSE(options->OverrideCheck()->isChecked());
        EXPECT_TRUE(options->MergeCheck()->isChecked());
        EXPECT_FALSE(options->RememberCheck()->isChecked());

        options->PluginList()->setCurrentIndex(1);
        options->OverrideCheck()->setChecked(true);
        options->MergeCheck()->setChecked(false);
        options->RememberCheck()->setChecked(true);
        sheet.StartButton()->click();
    });
    EXPECT_TRUE(dialog.Run());
    EXPECT_TRUE(ui.messages.empty());
    const CAppSettings saved = Saved();
    EXPECT_EQ(saved.GetRolePlugin(kRoleImportRecords), QStringLiteral("Zeta Import"));
    EXPECT_EQ(saved.m_impDatabase, QStringLiteral("Default"));
    EXPECT_EQ(saved.m_impForceCateg, 1);
    EXPECT_EQ(saved.m_impMerge, 0);
    EXPECT_EQ(saved.m_impSaveDb, 1);
    EXPECT_EQ(QStringList({saved.m_impCateg, saved.m_impCategFound, saved.m_impCategOwned,
                           saved.m_impCategExtra}),
              QStringList({"Unfiled", "Found", "Owned", "Other"}));
}

TEST_F(ImportRecsDlgTest, RoutingPageShowsTheCategoriesOfThePickedDatabase) {
    settings.m_impSaveDb = 1;
    settings.m_impDatabase = QStringLiteral("Default");
    CImportRecsDlg dialog(kPlugins, DbNames());
    CModalRunner::ScriptAs<CImportRecsDlg>([this](CImportRecsDlg& sheet) {
        CImportRoutingPage* routing = sheet.RoutingPage();
        ASSERT_TRUE(sheet.SetActivePage(1));
        for (int page = 1; page >= 0; --page) {
            ASSERT_TRUE(sheet.SetActivePage(page));
            EXPECT_EQ(UnnamedControls(&sheet).join(", "), QString()) << "page " << page;
        }
        ASSERT_TRUE(sheet.SetActivePage(1));
        EXPECT_EQ(Items(routing->CategoryList(1)),
                  QStringList(
                      {"Benchmarks", "Found", "Not Found", "Other", "Owned", "Saved", "Unfiled"}));
        EXPECT_EQ(routing->CategoryList(1)->currentText(), QStringLiteral("Found"));
        ASSERT_TRUE(sheet.SetActivePage(0));

        // Picking "Trails" warns once; the routing lists then hold its categories.
        QComboBox* database = sheet.OptionPage()->DatabaseList();
        const int trails = database->findText(QStringLiteral("Trails"));
        database->setCurrentIndex(trails);
        sheet.OptionPage()->OnDatabasePicked(trails);
        ASSERT_EQ(ui.Texts(), QStringList({kWarning}));
        ASSERT_TRUE(sheet.SetActivePage(1));
        const QStringList trailsCategories = {"Benchmarks", "Hikes", "Not Found",
                                              "Owned",      "Saved", "Unfiled"};
        for (int i = 0; i < CImportChoices::kCategoryCount; ++i)
            EXPECT_EQ(Items(routing->CategoryList(i)), trailsCategories) << i;
        EXPECT_EQ(routing->CategoryList(1)->currentText(), QStringLiteral("Unfiled"));
        EXPECT_EQ(routing->CategoryList(2)->currentText(), QStringLiteral("Owned"));

        // Started from the Routing page: its lists are taken.
        routing->CategoryList(0)->setCurrentIndex(routing->CategoryList(0)->findText("Hikes"));
        sheet.OnStart();
    });
    EXPECT_TRUE(dialog.Run());
    EXPECT_EQ(ui.Texts(), QStringList({kWarning}));
    const CAppSettings saved = Saved();
    EXPECT_EQ(saved.m_impDatabase, QStringLiteral("Trails"));
    EXPECT_EQ(QStringList({saved.m_impCateg, saved.m_impCategFound, saved.m_impCategOwned,
                           saved.m_impCategExtra}),
              QStringList({"Hikes", "Unfiled", "Owned", "Unfiled"}));
}

TEST_F(ImportRecsDlgTest, CancelAndStartWithoutAPluginStoreNothing) {
    settings.m_impDatabase = QStringLiteral("Trails");
    settings.SaveSettings();
    struct Case {
        const char* label;
        QStringList plugins;
        bool start;
    } const cases[] = {
        {"Cancel", kPlugins, false},
        {"Start without any import plug-in", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ui.Clear();
        CImportRecsDlg dialog(c.plugins, DbNames());
        CModalRunner::ScriptAs<CImportRecsDlg>([&c](CImportRecsDlg& sheet) {
            sheet.OptionPage()->MergeCheck()->setChecked(false);
            if (c.start)
                sheet.StartButton()->click();
            else
                sheet.reject();
        });
        EXPECT_FALSE(dialog.Run());
        // Opening on "Trails" changed the found and extra categories in the dialog only.
        EXPECT_EQ(ui.Texts(), QStringList({kWarning}));
        const CAppSettings saved = Saved();
        EXPECT_EQ(saved.m_impMerge, 1);
        EXPECT_EQ(saved.m_impCategFound, QStringLiteral("Found"));
        EXPECT_TRUE(saved.GetRolePlugin(kRoleImportRecords).isEmpty());
    }
}

} // namespace
