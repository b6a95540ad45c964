// The record view window from the list: opening it, its links and its toolbar.
#include "AccessibleTree.h"
#include "CAppTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheRecord.h"
#include "list/CRecordList.h"
#include "plugins/CPluginMgr.h"
#include "ui/framework/CModalRunner.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListView.h"
#include "ui/recordview/CRecViewWnd.h"

#include <QAction>
#include <QTest>
#include <QTextBrowser>

#include <functional>

namespace {

class RecordViewTest : public CAppTestHome {
protected:
    // Opens the view of the selected record with Enter and runs `look` on it while it is open.
    void ViewSelected(const std::function<void(CRecViewWnd&)>& look) {
        bool opened = false;
        CModalRunner::ScriptAs<CRecViewWnd>([&](CRecViewWnd& view) {
            opened = true;
            look(view);
            if (view.isVisible())
                view.reject();
        });
        QTest::keyClick(View(), Qt::Key_Return);
        EXPECT_TRUE(opened) << "Enter opens the record view";
    }

    quint32 AddCache(const QString& name, const QString& wpt) {
        CCacheRecord record;
        record.name = name;
        record.wpt = wpt;
        record.hints = QStringLiteral("Haqre gur fgbar");
        record.url = QStringLiteral("https://coord.info/") + wpt;
        record.descr = QStringLiteral("<a href=\"javascript:alert(1)\">run</a> "
                                      "<a href=\"file:///etc/passwd\">file</a>");
        EXPECT_TRUE(Db()->SaveRecord(record, true));
        return record.id;
    }
};

TEST_F(RecordViewTest, EnterOpensTheViewAndTheLinksActAsThePageSays) {
    Start();
    const quint32 id = AddCache(QStringLiteral("Old Mill"), QStringLiteral("GC12AB"));
    AddCache(QStringLiteral("Parking"), QStringLiteral("PK12AB"));
    View()->Reload();
    View()->SelectRecord(id);
    bool enabled = false;
    ASSERT_TRUE(View()->CommandState(CommandId::ViewRecord, enabled));
    EXPECT_TRUE(enabled);

    ViewSelected([&](CRecViewWnd& view) {
        EXPECT_EQ(view.windowTitle(), QStringLiteral("Record View"));
        EXPECT_EQ(UnnamedControls(&view).join(", "), QString());
        const QString main = view.PageDisplay()->toPlainText();
        EXPECT_TRUE(main.contains(QStringLiteral("Old Mill")));
        EXPECT_TRUE(main.contains(QStringLiteral("PK12AB"))) << "the related waypoint is listed";

        view.ActivateLink(QStringLiteral("qbhv:hints"));
        EXPECT_TRUE(view.PageDisplay()->toPlainText().contains(QStringLiteral("Under the stone")));
        view.ActivateLink(QStringLiteral("qbhv:main"));

        // Unknown actions, out-of-range plug-in links, scripts and local files do nothing.
        for (const char* target :
             {"qbhva:unknown", "qbhva:plugin-7", "qbhva:plugin--1", "javascript:alert(1)",
              "file:///etc/passwd", "data:text/html,hi"})
            view.ActivateLink(QString::fromLatin1(target));
        QCoreApplication::processEvents();
        EXPECT_TRUE(ui.opened.isEmpty()) << ui.opened.join(", ").toStdString();
        EXPECT_TRUE(view.isVisible());

        view.ActivateLink(QStringLiteral("qbhva:view-online"));
        view.ActivateLink(QStringLiteral("https://example.org/page"));
        EXPECT_EQ(ui.opened,
                  QStringList({"https://coord.info/GC12AB", "https://example.org/page"}));

        // Going to a related record bookmarks this one and asks the program for the other.
        ui.opened.clear();
        view.ActivateLink(QStringLiteral("qbhva:goto-PK12AB"));
        EXPECT_EQ(ui.opened, QStringList({"qbook:PK12AB"}));
        EXPECT_TRUE(view.Modified());
        CCacheRecord stored;
        ASSERT_TRUE(Db()->LoadRecord(id, stored));
        EXPECT_TRUE(stored.flags & kFlagBookmarked);
    });
    // The list keeps the record selected and shows the bookmark.
    ASSERT_NE(View()->SelectedSummary(), nullptr);
    EXPECT_EQ(View()->SelectedSummary()->id, id);
    EXPECT_TRUE(View()->SelectedSummary()->flags & kFlagBookmarked);
    EXPECT_TRUE(ui.messages.empty()) << ui.Texts().join("\n").toStdString();
}

TEST_F(RecordViewTest, ToolbarButtonsNeedAPluginOfTheirRole) {
    Start();
    const quint32 id = AddCache(QStringLiteral("Old Mill"), QStringLiteral("GC12AB"));
    View()->Reload();
    View()->SelectRecord(id);
    ViewSelected([](CRecViewWnd& view) {
        for (const int role : CRecViewWnd::kToolbarRoles) {
            SCOPED_TRACE(role);
            ASSERT_NE(view.ToolbarAction(role), nullptr);
            EXPECT_EQ(view.ToolbarAction(role)->isEnabled(),
                      CPluginMgr::Global().CountForRole(role) > 0);
        }
        EXPECT_EQ(view.ToolbarAction(4)->text(), QStringLiteral("Calculation"));
        EXPECT_FALSE(view.ToolbarAction(4)->isEnabled()) << "no plug-in calculates";
    });
}

TEST_F(RecordViewTest, RequestForARecordNotLoadedSaysSo) {
    Start();
    View()->Reload();
    View()->ServeRequest(QStringLiteral("qbook:GC99999"));
    EXPECT_EQ(ui.Texts(), QStringList({"Requested record not found."}));
}

} // namespace
