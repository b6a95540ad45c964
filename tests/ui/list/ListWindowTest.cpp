// The list window: request texts, type-ahead search, the category menu, the record menu and the
// table model.
#include "AccessibleTree.h"
#include "CAppTestHome.h"
#include "CManualClock.h"

#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "settings/CAppSettings.h"
#include "settings/CSettingsStore.h"
#include "ui/framework/CModalRunner.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListModel.h"
#include "ui/list/CRecListView.h"
#include "ui/recordview/CRecViewWnd.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace {

class ListWindowTest : public CAppTestHome {
protected:
    // The texts of a menu's items and which of them is checked.
    static QStringList MenuTexts(const QMenu& menu, QString* checked = nullptr) {
        QStringList texts;
        for (const QAction* action : menu.actions()) {
            texts << action->text();
            if (checked && action->isChecked())
                *checked = action->text();
        }
        return texts;
    }
};

TEST_F(ListWindowTest, RequestsFindTheirRecordWithoutRegardToCaseAndPrefix) {
    Start();
    AddRecord({QStringLiteral("Some"), QStringLiteral("GC1")});
    const quint32 wanted = AddRecord({QStringLiteral("Wanted"), QStringLiteral("GC12ABC")});
    View()->Reload();

    struct Case {
        const char* text;
        bool found;
    };
    const Case cases[] = {
        {"qbook://GC12ABC", true}, {"\\GC12abc", true},     {"QBOOK:gc12abc", true},
        {"GC12ABC", true},         {"qbook:GC12AB", false}, {"qbook:/x/GC12ABC", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui.Clear();
        View()->SelectRecord(0);
        quint32 viewed = 0;
        if (c.found) {
            CModalRunner::ScriptAs<CRecViewWnd>([&viewed](CRecViewWnd& view) {
                viewed = view.Record().id;
                view.reject();
            });
        }
        View()->OnRequest(QString::fromLatin1(c.text));
        // The first tick finds the main window in front, the second serves the request: it
        // opens the record's view.
        RunTimer(2);
        EXPECT_EQ(viewed, c.found ? wanted : 0u);
        EXPECT_TRUE(Frame()->PendingCommand().isEmpty());
        if (c.found) {
            ASSERT_NE(View()->SelectedSummary(), nullptr);
            EXPECT_EQ(View()->SelectedSummary()->id, wanted);
            EXPECT_TRUE(ui.messages.empty());
        } else {
            EXPECT_EQ(View()->SelectedSummary(), nullptr);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, QStringLiteral("Requested record not found."));
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
        }
    }
}

TEST_F(ListWindowTest, DialogOverTheMainWindowIsClosedBeforeTheRequestIsServed) {
    Start();
    const quint32 id = AddRecord({QStringLiteral("Wanted"), QStringLiteral("GC12ABC")});
    View()->Reload();

    QDialog dialog(Frame());
    dialog.setWindowTitle(QStringLiteral("Left open"));
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(
        QTest::qWaitFor([&dialog] { return QApplication::activeModalWidget() == &dialog; }));

    View()->OnRequest(QStringLiteral("qbook:GC12ABC"));
    RunTimer(1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(View()->SelectedSummary(), nullptr);
    CModalRunner::ScriptAs<CRecViewWnd>([](CRecViewWnd& view) { view.reject(); });
    RunTimer(2);
    ASSERT_NE(View()->SelectedSummary(), nullptr);
    EXPECT_EQ(View()->SelectedSummary()->id, id);
}

TEST_F(ListWindowTest, TypeAheadSearchesTheSortFieldAndStartsOverAfterAPause) {
    CManualClock clock;
    Start();
    for (const char* name : {"Charlie", "bravo", "alpha", "Beta", "Abacus", "delta"})
        AddRecord({QString::fromLatin1(name)});
    CAppSettings& settings = CAppSettings::Global();
    settings.m_sortColumn = kKindName;
    settings.m_sortAscend = 1;
    View()->Reload();
    ASSERT_EQ(RowNames(), QStringList({"Abacus", "alpha", "Beta", "bravo", "Charlie", "delta"}));

    auto selectedName = [this] {
        const CRecordSummary* summary = View()->SelectedSummary();
        return summary ? summary->name : QString();
    };
    QTest::keyClicks(View(), QStringLiteral("b"));
    EXPECT_EQ(selectedName(), QStringLiteral("Beta"));
    QTest::keyClicks(View(), QStringLiteral("R"));
    EXPECT_EQ(View()->TypedText(), QStringLiteral("bR"));
    EXPECT_EQ(selectedName(), QStringLiteral("bravo"));
    // Nothing at or after "bz" but "Charlie".
    QTest::keyClicks(View(), QStringLiteral("z"));
    EXPECT_EQ(selectedName(), QStringLiteral("Charlie"));

    // Two seconds without typing: the next character starts a new search.
    clock.Advance(CRecListView::kTypeAheadResetMs - 1);
    RunTimer(1);
    EXPECT_FALSE(View()->TypedText().isEmpty());
    clock.Advance(1);
    RunTimer(1);
    EXPECT_TRUE(View()->TypedText().isEmpty());
    // Descending: the first row whose name is at or before the typed text.
    settings.m_sortAscend = 0;
    View()->Refilter();
    QTest::keyClicks(View(), QStringLiteral("bet"));
    EXPECT_EQ(View()->TypedText(), QStringLiteral("bet"));
    EXPECT_EQ(selectedName(), QStringLiteral("Beta"));

    // A sort kind that is not searched: the last row.
    settings.m_sortColumn = kKindDistance;
    View()->Refilter();
    QTest::keyClicks(View(), QStringLiteral("b"));
    ASSERT_NE(View()->SelectedSummary(), nullptr);
    EXPECT_EQ(View()->SelectedRow(), View()->List().VisibleCount() - 1);
}

TEST_F(ListWindowTest, CategoryMenuListsAllSortedCategoriesAndUnfiledLast) {
    Start();
    const quint16 zeta = AddCategory(QStringLiteral("Zeta"));
    AddCategory(QStringLiteral("Alpine"));
    AddRecord({QStringLiteral("In Zeta"), QString(), zeta});
    AddRecord({QStringLiteral("Unfiled one")});
    View()->Reload();

    QStringList expected;
    Db()->GetCategoryNames(expected, true);
    expected.sort();
    expected.prepend(QStringLiteral("All"));
    expected.append(QStringLiteral("Unfiled"));

    QMenu menu;
    View()->FillCategoryMenu(menu);
    QString checked;
    EXPECT_EQ(MenuTexts(menu, &checked), expected);
    EXPECT_EQ(checked, QStringLiteral("Unfiled"));
    EXPECT_EQ(RowNames(), QStringList({"Unfiled one"}));

    // Choosing an item filters the list and shows the name on the category button.
    const int zetaIndex = int(expected.indexOf(QStringLiteral("Zeta")));
    menu.actions().at(zetaIndex)->trigger();
    EXPECT_EQ(View()->List().CategoryId(), zeta);
    EXPECT_EQ(Frame()->CategoryButton()->text(), QStringLiteral("Zeta"));
    EXPECT_EQ(RowNames(), QStringList({"In Zeta"}));

    QMenu again;
    View()->FillCategoryMenu(again);
    MenuTexts(again, &checked);
    EXPECT_EQ(checked, QStringLiteral("Zeta"));
    again.actions().at(0)->trigger();
    EXPECT_EQ(View()->List().CategoryId(), kAllCategoryId);
    EXPECT_EQ(View()->List().VisibleCount(), 2);
}

TEST_F(ListWindowTest, RecordMenuOffersSetAsCenterOnlyWithCoordinates) {
    Start();
    AddRecord({QStringLiteral("Nowhere")});
    AddRecord({QStringLiteral("Somewhere"), QString(), 0, 0, 47.6, -122.3});
    View()->Reload();
    for (int row = 0; row < 2; ++row) {
        View()->SelectRecord(View()->List().VisibleAt(row)->id);
        QMenu menu;
        View()->FillRecordMenu(menu, *View()->SelectedSummary());
        EXPECT_EQ(MenuTexts(menu),
                  QStringList({"View Record", "Edit Record", "Cache Logs", "Delete Record",
                               "Move Record", "Bookmark Record", "Set As Center"}));
        EXPECT_EQ(menu.actions().last()->isEnabled(),
                  View()->List().VisibleAt(row)->HasCoordinates());
    }
}

TEST_F(ListWindowTest, HeaderTapTogglesOrSwitchesTheSort) {
    Start();
    for (const char* name : {"b", "c", "a"})
        AddRecord({QString::fromLatin1(name), QStringLiteral("W") + QString::fromLatin1(name)});
    CAppSettings& settings = CAppSettings::Global();
    settings.m_sortColumn = kKindWpt;
    settings.m_sortAscend = 1;
    View()->Reload();
    const int nameColumn = int(View()->ColumnLetters().indexOf(QLatin1Char('G')));
    const int wptColumn = int(View()->ColumnLetters().indexOf(QLatin1Char('H')));
    ASSERT_GE(nameColumn, 0);

    View()->SortByColumn(wptColumn);
    EXPECT_EQ(settings.m_sortAscend, 0);
    EXPECT_EQ(RowNames(), QStringList({"c", "b", "a"}));
    View()->SortByColumn(nameColumn);
    EXPECT_EQ(settings.m_sortColumn, int(kKindName));
    EXPECT_EQ(settings.m_sortAscend, 1);
    EXPECT_EQ(RowNames(), QStringList({"a", "b", "c"}));
}

TEST_F(ListWindowTest, ResizedColumnsAreSavedByTheTimerAndComeBack) {
    CSettingsStore().WriteInt(QStringLiteral("ListView"), QStringLiteral("SaveColumns"), 1);
    Start();
    AddRecord({QStringLiteral("Name")});
    View()->Reload();
    const int name = int(View()->ColumnLetters().indexOf(QLatin1Char('G')));
    // The user double-taps a divider (the column fits its contents), then drags it.
    emit View()->horizontalHeader()->sectionHandleDoubleClicked(name);
    View()->setColumnWidth(name, 150);
    RunTimer(1);
    const QString stored =
        CSettingsStore().ReadText(QStringLiteral("ListView"), QStringLiteral("ColumnWidths"));
    EXPECT_EQ(stored.split(QLatin1Char(';')).value(name), QStringLiteral("150"));

    Stop();
    Start();
    EXPECT_EQ(View()->columnWidth(name), 150);
}

TEST_F(ListWindowTest, TableModelKeepsItsContract) {
    Start();
    for (int i = 0; i < 12; ++i)
        AddRecord({QStringLiteral("Rec %1").arg(i), QString(), 0, quint32(i % 16)});
    QAbstractItemModelTester tester(View()->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    View()->Reload();
    EXPECT_EQ(View()->Model()->rowCount(), 12);
    EXPECT_EQ(View()->Model()->columnCount(), View()->ColumnLetters().size());
    View()->SortByColumn(0);

    // Icon columns answer an icon number, text columns their text.
    const QString letters = View()->ColumnLetters();
    const int bug = int(letters.indexOf(QLatin1Char('C')));
    const int name = int(letters.indexOf(QLatin1Char('G')));
    for (int row = 0; row < View()->Model()->rowCount(); ++row) {
        const CRecordSummary* summary = View()->List().VisibleAt(row);
        const QModelIndex bugCell = View()->Model()->index(row, bug);
        EXPECT_EQ(bugCell.data(CRecListModel::IconRole).toInt(),
                  (summary->flags & kFlagBugs) ? 0 : -1);
        EXPECT_FALSE(bugCell.data(Qt::DisplayRole).isValid());
        EXPECT_EQ(View()->Model()->index(row, name).data().toString(), summary->name);
    }

    // Row removal and refiltering through the commands.
    View()->SelectRecord(View()->List().VisibleAt(3)->id);
    ui.AnswerYes();
    Frame()->RunCommand(CommandId::DeleteRecord);
    EXPECT_EQ(View()->Model()->rowCount(), 11);
    CAppSettings::Global().m_foundOnly = 1;
    View()->Refilter();
    EXPECT_EQ(View()->Model()->rowCount(), View()->List().VisibleCount());
    View()->Suspend();
    EXPECT_EQ(View()->Model()->rowCount(), 0);
    View()->Resume();
    EXPECT_EQ(View()->Model()->rowCount(), View()->List().VisibleCount());
}

TEST_F(ListWindowTest, ScreenReadersFindEveryControlNamedAndTheIconsAsWords) {
    Start();
    const quint32 flagged = AddRecord({QStringLiteral("Flagged"), QString(), 0,
                                       kFlagBugs | kFlagBookmarked | kFlagFound | kFlagDisabled});
    AddRecord({QStringLiteral("Plain")});
    View()->Reload();
    Frame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));

    const QStringList unnamed = UnnamedControls(Frame());
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();

    // The icon cells read as the words the command-line tool prints.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(View());
    ASSERT_TRUE(table && table->tableInterface());
    const QString letters = View()->ColumnLetters();
    const int row = View()->List().IndexInVisible(flagged);
    ASSERT_GE(row, 0);
    struct Cell {
        QChar letter;
        const char* word;
    };
    for (const Cell& c : {Cell{u'C', "bug"}, Cell{u'E', "found"}, Cell{u'G', "Flagged"}}) {
        SCOPED_TRACE(c.word);
        const int column = int(letters.indexOf(c.letter));
        ASSERT_GE(column, 0);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
        ASSERT_TRUE(cell);
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromLatin1(c.word));
    }
}

TEST_F(ListWindowTest, OpenRecordMenuIsOnTheAccessibilityTreeWithItsStates) {
    Start();
    AddRecord({QStringLiteral("Nowhere")});
    View()->Reload();
    Frame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    View()->SelectRecord(View()->List().VisibleAt(0)->id);

    bool looked = false;
    CModalRunner::ScriptMenu([&looked](QMenu& menu) {
        looked = true;
        QAccessibleInterface* found = OpenMenuFromRoot();
        EXPECT_TRUE(found && found->object() == &menu) << "the menu is reachable from the root";
        QStringList names;
        QStringList enabled;
        for (const CAccessibleItem& item : MenuItemsOf(found)) {
            names << item.name;
            if (item.enabled)
                enabled << item.name;
        }
        EXPECT_EQ(names, QStringList({"View Record", "Edit Record", "Cache Logs", "Delete Record",
                                      "Move Record", "Bookmark Record", "Set As Center"}));
        // The states on the bus are the menu's own; a record without coordinates cannot be the
        // centre.
        QStringList expected;
        for (const QAction* action : menu.actions()) {
            if (action->isEnabled())
                expected << action->text();
        }
        EXPECT_EQ(enabled, expected);
        EXPECT_FALSE(enabled.contains(QStringLiteral("Set As Center")));
        EXPECT_TRUE(enabled.contains(QStringLiteral("Delete Record")));
        return nullptr;
    });
    const QRect cell = View()->visualRect(View()->Model()->index(0, 0));
    QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(),
                            View()->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(View()->viewport(), &event);
    EXPECT_TRUE(looked);
    EXPECT_EQ(OpenMenuFromRoot(), nullptr);
}

} // namespace
