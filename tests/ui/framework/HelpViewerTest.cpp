#include "CGuiTestHome.h"
#include "ui/framework/CHelpViewer.h"
#include "ui/framework/CModalRunner.h"

#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

// Every topic a window of the program opens.
const char* const kTopics[] = {
    "Main_Contents",    "record_list_view",     "viewing_records",
    "editing_records",  "editing_cache_notes",  "editing_categories",
    "multi_db",         "editing_list_columns", "editing_list_filters",
    "bookmarks",        "travel_bugs",          "importing_records",
    "plugin_support",   "preferences",          "editing_record_types",
    "editing_site_ids",
};

QSet<QString> AnchorNames(const QTextDocument& document) {
    QSet<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames())
                names.insert(name);
    return names;
}

class HelpViewerTest : public CGuiTestHome {
protected:
    void SetUp() override {
        CGuiTestHome::SetUp();
        UseQtUserInterface();
    }
};

TEST_F(HelpViewerTest, HelpFileHasEveryTopic) {
    CHelpViewer viewer;
    ASSERT_TRUE(viewer.ShowTopic(QStringLiteral("Main_Contents")));
    const QSet<QString> anchors = AnchorNames(*viewer.Browser()->document());
    for (const char* topic : kTopics)
        EXPECT_TRUE(anchors.contains(QString::fromLatin1(topic))) << topic;
}

TEST_F(HelpViewerTest, OpenHelpShowsTheViewerAtTheTopic) {
    ASSERT_TRUE(qtUi.OpenHelp(QStringLiteral("editing_site_ids")));
    CHelpViewer* viewer = qtUi.HelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->Browser()->source().fragment(), QStringLiteral("editing_site_ids"));
    const int deep = viewer->Browser()->verticalScrollBar()->value();
    EXPECT_GT(deep, 0); // the last topic lies far below the first screen

    // The same window comes back at the next topic.
    ASSERT_TRUE(qtUi.OpenHelp(QStringLiteral("Main_Contents")));
    EXPECT_EQ(qtUi.HelpViewer(), viewer);
    EXPECT_LT(viewer->Browser()->verticalScrollBar()->value(), deep);
}

TEST_F(HelpViewerTest, HelpFileCanComeFromElsewhere) {
    WriteFile(QStringLiteral("Help.htm"),
              "<html><body><h1><a name=\"bookmarks\">Bookmarks here</a></h1></body></html>");
    CHelpViewer::SetHelpFile(Path(QStringLiteral("Help.htm")));
    ASSERT_TRUE(qtUi.OpenHelp(QStringLiteral("bookmarks")));
    EXPECT_TRUE(
        qtUi.HelpViewer()->Browser()->toPlainText().contains(QStringLiteral("Bookmarks here")));
}

TEST_F(HelpViewerTest, MissingHelpFileShowsTheError) {
    CHelpViewer::SetHelpFile(Path(QStringLiteral("NoSuchHelp.htm")));
    EXPECT_FALSE(qtUi.OpenHelp(QStringLiteral("bookmarks")));

    CModalRunner::ScriptAs<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), QStringLiteral("Error displaying help topic."));
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        box.button(QMessageBox::Ok)->click();
    });
    ShowHelpTopic(QStringLiteral("bookmarks"));
}

} // namespace
