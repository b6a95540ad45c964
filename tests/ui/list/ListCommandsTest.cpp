// The list commands: their questions, messages, database writes and list updates.
#include "CAppTestHome.h"

#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "travelbugs/CBugInventory.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListModel.h"
#include "ui/list/CRecListView.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace {

class ListCommandsTest : public CAppTestHome {
protected:
    void Run(CommandId id) { Frame()->RunCommand(id); }

    // The flags of a record as stored.
    quint32 StoredFlags(quint32 id) {
        CCacheRecord record;
        EXPECT_TRUE(Db()->LoadRecord(id, record));
        return record.flags;
    }
};

TEST_F(ListCommandsTest, RecordCountSaysHowManyRecordsAreInView) {
    Start();
    const char* const expected[] = {"0 records are currently in view.",
                                    "1 record is currently in view.",
                                    "2 records are currently in view."};
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        if (n > 0)
            AddRecord({QStringLiteral("Rec %1").arg(n)});
        View()->Reload();
        ui.Clear();
        Run(CommandId::RecordCount);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, QString::fromLatin1(expected[n]));
        EXPECT_EQ(ui.messages[0].icon, MsgIcon::Information);
    }
}

TEST_F(ListCommandsTest, DeleteRecordsDeletesExactlyTheRecordsInView) {
    Start();
    const quint16 hikes = AddCategory(QStringLiteral("Hikes"));
    for (int i = 0; i < 10; ++i)
        AddRecord({QStringLiteral("Rec %1").arg(i), QString(), quint16(i < 3 ? hikes : 0)});

    // 3 of 10 in view: those 3 go, one by one.
    View()->ChooseCategory(1, QStringLiteral("Hikes"));
    View()->Reload();
    ASSERT_EQ(View()->List().VisibleCount(), 3);
    ui.AnswerNo();
    Run(CommandId::DeleteRecords);
    EXPECT_EQ(Db()->CountRecords(), 10);
    ui.AnswerYes();
    Run(CommandId::DeleteRecords);
    EXPECT_EQ(ui.messages.back().text,
              QStringLiteral("Delete all records currently in view from database?"));
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Question);
    EXPECT_EQ(Db()->CountRecords(), 7);
    EXPECT_EQ(View()->List().LoadedCount(), 7);
    EXPECT_EQ(View()->Model()->rowCount(), 0);

    // Everything in view: the whole database content goes.
    View()->ChooseCategory(0, QStringLiteral("All"));
    ASSERT_EQ(View()->List().VisibleCount(), 7);
    ui.AnswerYes();
    Run(CommandId::DeleteRecords);
    EXPECT_EQ(Db()->CountRecords(), 0);
    EXPECT_EQ(View()->List().LoadedCount(), 0);
    EXPECT_EQ(View()->Model()->rowCount(), 0);
}

TEST_F(ListCommandsTest, PurgeInactiveAlsoDeletesHiddenDisabledRecords) {
    Start();
    const quint16 hikes = AddCategory(QStringLiteral("Hikes"));
    AddRecord({QStringLiteral("Active")});
    AddRecord({QStringLiteral("Disabled here"), QString(), 0, kFlagDisabled});
    AddRecord({QStringLiteral("Disabled found"), QString(), 0, kFlagDisabled | kFlagFound});
    AddRecord({QStringLiteral("Disabled elsewhere"), QString(), hikes, kFlagDisabled});
    AddRecord({QStringLiteral("Active elsewhere"), QString(), hikes});
    CAppSettings::Global().m_notFoundOnly = 1;
    View()->Reload();
    ASSERT_EQ(RowNames().size(), 2);

    ui.AnswerYes();
    Run(CommandId::PurgeInactive);
    EXPECT_EQ(ui.messages.back().text,
              QStringLiteral("Purge inactive records from current database?"));
    EXPECT_EQ(Db()->CountRecords(), 2);
    EXPECT_EQ(View()->List().LoadedCount(), 2);
    EXPECT_EQ(RowNames(), QStringList({"Active"}));
}

TEST_F(ListCommandsTest, BookmarkRecordSetsTheFlagOnceAndNeverClearsIt) {
    Start();
    const quint32 id = AddRecord({QStringLiteral("Mark me"), QString(), 0, kFlagFound});
    View()->Reload();
    View()->SelectRecord(id);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Run(CommandId::BookmarkRecord);
        EXPECT_EQ(StoredFlags(id), kFlagFound | kFlagBookmarked);
        EXPECT_EQ(View()->List().VisibleAt(0)->flags, kFlagFound | kFlagBookmarked);
        ASSERT_NE(View()->SelectedSummary(), nullptr);
        EXPECT_EQ(View()->SelectedSummary()->id, id);
    }
    EXPECT_TRUE(ui.messages.empty());

    // Clear Bookmarks takes them off again, hidden records included.
    const quint32 hidden = AddRecord({QStringLiteral("Hidden"), QString(),
                                      AddCategory(QStringLiteral("Other cat")), kFlagBookmarked});
    View()->Reload();
    ui.AnswerYes();
    Run(CommandId::ClearBookmarks);
    EXPECT_EQ(ui.messages.back().text, QStringLiteral("Clear all bookmarks in current database?"));
    EXPECT_EQ(StoredFlags(id), kFlagFound);
    EXPECT_EQ(StoredFlags(hidden), 0u);
}

TEST_F(ListCommandsTest, SetAsCenterMovesTheCentreToTheRecord) {
    Start();
    AddRecord({QStringLiteral("Far"), QString(), 0, 0, 48.0, -122.0});
    const quint32 id = AddRecord({QStringLiteral("Here"), QString(), 0, 0, 47.5, -122.5});
    View()->Reload();
    View()->SelectRecord(id);
    Run(CommandId::SetAsCenter);
    EXPECT_DOUBLE_EQ(CAppSettings::Global().m_centerLat, 47.5);
    EXPECT_DOUBLE_EQ(CAppSettings::Global().m_centerLon, -122.5);
    EXPECT_DOUBLE_EQ(CRecordList::Distance(*View()->SelectedSummary()), 0.0);
}

TEST_F(ListCommandsTest, CompactDatabaseReportsWhetherBothDatabasesCompacted) {
    Start();
    AddRecord({QStringLiteral("Stored name")});
    View()->Reload();
    CRecordSummary* summary = View()->List().VisibleAt(0);
    summary->name = QStringLiteral("Changed in memory");

    const QString question = QStringLiteral(
        "To compact a database, there must be at least enough free space for another copy of "
        "it.  Continue?");
    ui.AnswerNo();
    Run(CommandId::CompactDatabase);
    EXPECT_EQ(ui.messages.back().text, question);
    EXPECT_EQ(ui.messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.messages.back().buttons, MsgButtons::YesNo);

    // The inventory cannot be compacted: an error, and the list is not reloaded.
    CBugInventory::Global().Close();
    ui.Clear();
    ui.AnswerYes();
    Run(CommandId::CompactDatabase);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("Error compacting database."));
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Stop);
    EXPECT_EQ(View()->List().VisibleAt(0)->name, QStringLiteral("Changed in memory"));

    ASSERT_TRUE(CBugInventory::Global().Open(Home()));
    ui.Clear();
    ui.AnswerYes();
    Run(CommandId::CompactDatabase);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("Database compaction is complete."));
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Information);
    EXPECT_EQ(View()->List().VisibleAt(0)->name, QStringLiteral("Stored name"));
}

TEST_F(ListCommandsTest, ClearFiltersKeepsTheCategory) {
    Start();
    const quint16 hikes = AddCategory(QStringLiteral("Hikes"));
    AddRecord({QStringLiteral("Found hike"), QString(), hikes, kFlagFound});
    AddRecord({QStringLiteral("Open hike"), QString(), hikes});
    AddRecord({QStringLiteral("Unfiled")});
    CAppSettings::Global().m_foundOnly = 1;
    View()->ChooseCategory(1, QStringLiteral("Hikes"));
    View()->Reload();
    ASSERT_EQ(RowNames(), QStringList({"Found hike"}));

    ui.AnswerYes();
    Run(CommandId::ClearFilters);
    EXPECT_EQ(ui.messages.back().text, QStringLiteral("Clear current list filters?"));
    EXPECT_EQ(CAppSettings::Global().m_foundOnly, 0);
    EXPECT_EQ(View()->List().CategoryName(), QStringLiteral("Hikes"));
    EXPECT_EQ(RowNames().size(), 2);
}

TEST_F(ListCommandsTest, CommandsWithoutTheirDialogsAreDisabled) {
    Start();
    Frame()->UpdateCommandStates();
    for (CommandId id : {CommandId::MoveRecords, CommandId::SelectDatabase, CommandId::EditFilters,
                         CommandId::Preferences, CommandId::NewRecord, CommandId::MarkWaypoint})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << int(id);
    for (CommandId id :
         {CommandId::RecordCount, CommandId::DeleteRecords, CommandId::PurgeInactive,
          CommandId::CompactDatabase, CommandId::ClearFilters, CommandId::ClearBookmarks,
          CommandId::BugViewLog, CommandId::BugClearLog, CommandId::About})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled()) << int(id);

    Run(CommandId::BugViewLog);
    EXPECT_EQ(ui.Texts(), QStringList({"Travel bug log is empty."}));
}

TEST_F(ListCommandsTest, PluginCommandsAreOnWhenAPluginHasTheirRole) {
    Start();
    const CommandId pluginCommands[] = {CommandId::ExportRecords, CommandId::ImportRecords,
                                        CommandId::Calculation};
    // Without any plug-in the three are off; with the import plug-in only Import Records is on.
    QDir plugins(Path(QStringLiteral("Plugins")));
    for (const QString& file : plugins.entryList(QDir::Files))
        ASSERT_TRUE(plugins.remove(file));
    CPluginMgr::Global().Release();
    Frame()->UpdateCommandStates();
    for (CommandId id : pluginCommands)
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << int(id);

    ASSERT_TRUE(QFile::copy(QStringLiteral(QB_GPX_IMPORT_PLUGIN),
                            plugins.filePath(QStringLiteral("gpx_import.so"))));
    CPluginMgr::Global().Release();
    Frame()->UpdateCommandStates();
    for (CommandId id : pluginCommands)
        EXPECT_EQ(Frame()->Action(id)->isEnabled(), id == CommandId::ImportRecords) << int(id);
}

} // namespace
