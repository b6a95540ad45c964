#include "CTestHome.h"

#include "util/CUserInterface.h"

class UserInterfaceTest : public CTestHome {};

TEST_F(UserInterfaceTest, MessagesAndQuestionsGoThroughTheInstalledSeam) {
    ui.AnswerYes();
    ui.Answer(MsgAnswer::Cancel);
    ShowError(QStringLiteral("bad"));
    EXPECT_TRUE(AskYesNo(QStringLiteral("sure?")));
    EXPECT_EQ(AskYesNoCancel(QStringLiteral("save?")), MsgAnswer::Cancel);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(ui.messages[1].icon, MsgIcon::Question);
    EXPECT_EQ(ui.messages[2].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.Texts(), QStringList({"bad", "sure?", "save?"}));
}

TEST_F(UserInterfaceTest, HelpFailureIsReported) {
    ShowHelpTopic(QStringLiteral("preferences"));
    EXPECT_TRUE(ui.messages.empty());
    ui.helpAvailable = false;
    ShowHelpTopic(QStringLiteral("bookmarks"));
    EXPECT_EQ(ui.helpTopics, QStringList({"preferences", "bookmarks"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("Error displaying help topic."));
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
}

TEST_F(UserInterfaceTest, QuietWaitCursorShowsNothing) {
    {
        CWaitCursor outer(true);
        CWaitCursor inner(true);
        CWaitCursor quiet(false);
        EXPECT_EQ(ui.waitDepth, 2);
    }
    EXPECT_EQ(ui.waitCursorShown, 1);
}
