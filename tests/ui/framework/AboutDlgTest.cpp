#include "AccessibleTree.h"
#include "CGuiTestHome.h"
#include "ui/framework/CLinkLabel.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/about/CAboutDlg.h"
#include "ui/framework/about/CAboutInfoPage.h"
#include "util/FileHelpers.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

using AboutDlgTest = CGuiTestHome;
using Rows = std::vector<std::pair<QString, QString>>;

Rows ListedRows(const CAboutDlg& about) {
    Rows rows;
    const QTreeWidget* list = about.VerPage()->List();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
    return rows;
}

TEST_F(AboutDlgTest, VersionPageListsTheProgramAndEachPluginOnceSortedByName) {
    const QString program = ProgramVersionText();
    struct Case {
        const char* name;
        CAboutVerPage::ModuleVersions plugins;
        Rows expected;
    };
    const Case cases[] = {
        {"no plug-ins", {}, {{"Quarrybook", program}}},
        {"duplicates and letter case",
         {{"Zeta Maps", "1.0"}, {"alpha GPX", "2.1b"}, {"Zeta Maps", "1.1"}},
         {{"alpha GPX", "2.1b"}, {"Quarrybook", program}, {"Zeta Maps", "1.1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CAboutDlg about(c.plugins);
        CModalRunner::ScriptAs<CAboutDlg>([&c](CAboutDlg& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("About Quarrybook"));
            EXPECT_EQ(d.TabCaption(0), QStringLiteral("Info"));
            EXPECT_EQ(d.TabCaption(1), QStringLiteral("Version"));
            const QTreeWidgetItem* header = d.VerPage()->List()->headerItem();
            EXPECT_EQ(header->text(0), QStringLiteral("Module"));
            EXPECT_EQ(header->text(1), QStringLiteral("Ver"));
            EXPECT_EQ(ListedRows(d), c.expected);
            for (int page = 0; page < 2; ++page) {
                d.SetActivePage(page);
                EXPECT_EQ(UnnamedControls(&d).join(", "), QString()) << "page " << page;
            }
            d.accept();
        });
        about.DoModal();
    }
}

TEST_F(AboutDlgTest, InfoPageShowsProductVersionAndLinks) {
    CAboutDlg about;
    CModalRunner::ScriptAs<CAboutDlg>([this](CAboutDlg& d) {
        QStringList texts;
        for (const QLabel* label : d.InfoPage()->findChildren<QLabel*>())
            texts << label->text();
        EXPECT_TRUE(texts.contains(QStringLiteral("Quarrybook for Pocket PC")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Version ") + ProgramVersionText()));

        QTest::mouseClick(d.InfoPage()->SupportLink(), Qt::LeftButton);
        QTest::mouseClick(d.InfoPage()->WebLink(), Qt::LeftButton);
        EXPECT_EQ(ui.opened, (QStringList{QStringLiteral("mailto:support@quarrybook.invalid"),
                                          QStringLiteral("https://quarrybook.invalid")}));

        QTest::keyClick(&d, Qt::Key_F1);
        EXPECT_EQ(ui.helpTopics, QStringList{QStringLiteral("Main_Contents")});
        d.accept();
    });
    EXPECT_EQ(about.DoModal(), QDialog::Accepted);
}

TEST(LinkLabelTest, WebAddressesOpenAsTheyAreOtherTextAsMail) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://quarrybook.invalid/help", "http://quarrybook.invalid/help"},
        {"https://quarrybook.invalid", "https://quarrybook.invalid"},
        {"support@quarrybook.invalid", "mailto:support@quarrybook.invalid"},
        {"HTTP://quarrybook.invalid", "mailto:HTTP://quarrybook.invalid"},
    };
    for (const auto& [text, target] : cases)
        EXPECT_EQ(CLinkLabel::LinkTarget(QString::fromLatin1(text)), QString::fromLatin1(target))
            << text;
}

} // namespace
