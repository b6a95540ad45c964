#include "CGuiTestHome.h"
#include "settings/CSettingsStore.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/CPropertyPageEx.h"
#include "ui/framework/CPropertySheetEx.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A page whose checks the test controls, counting the calls it gets.
class TestPage : public CPropertyPageEx {
public:
    using CPropertyPageEx::CPropertyPageEx;

    void OnInitPage() override { ++inits; }
    bool OnKillActive() override {
        ++kills;
        if (!valid)
            ShowWarning(QStringLiteral("Invalid on ") + Caption());
        return valid;
    }
    void OnOK() override {
        // Like a page that must ask before it closes.
        if (!askFirst || AskYesNo(QStringLiteral("Really?")))
            CPropertyPageEx::OnOK();
    }

    bool valid = true;
    bool askFirst = false;
    int inits = 0;
    int kills = 0;
};

class TestSheet : public CPropertySheetEx {
public:
    static constexpr int kStart = 7;

    explicit TestSheet(const QStringList& captions, const QString& key = QString())
        : CPropertySheetEx(QStringLiteral("Test Sheet")) {
        for (const QString& caption : captions) {
            pages << new TestPage(caption);
            AddPage(pages.last());
        }
        SetLastPageKey(key);
    }
    void OnCommand(int command) override {
        if (command == kStart)
            EndSheet(kStart);
    }
    // Switches tabs as a click on the tab would.
    void ClickTab(int index) { Tabs()->setCurrentIndex(index); }

    QList<TestPage*> pages;
};

const QStringList kCaptions = {QStringLiteral("List"), QStringLiteral("Options"),
                               QStringLiteral("Actions"), QStringLiteral("Actions"),
                               QStringLiteral("Plugins")};

using PropertySheetTest = CGuiTestHome;

QString StoredLastTab(const QString& key) {
    return CSettingsStore().ReadText(QStringLiteral("LastTab"), key, QStringLiteral("<absent>"));
}

TEST_F(PropertySheetTest, KeyedSheetReopensOnTheLastPageShown) {
    {
        TestSheet sheet(kCaptions, QStringLiteral("Preferences"));
        sheet.SetTabCaption(2, QStringLiteral("Found"));
        sheet.SetTabCaption(3, QStringLiteral("DNF"));
        CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
            EXPECT_EQ(s.ActiveIndex(), 0);
            s.ClickTab(2);
            EXPECT_EQ(s.ActiveIndex(), 2);
            s.accept();
        });
        EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
    }
    EXPECT_EQ(StoredLastTab(QStringLiteral("Preferences")), QStringLiteral("Found"));

    TestSheet again(kCaptions, QStringLiteral("Preferences"));
    again.SetTabCaption(2, QStringLiteral("Found"));
    again.SetTabCaption(3, QStringLiteral("DNF"));
    CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
        EXPECT_EQ(s.ActiveIndex(), 2);
        EXPECT_EQ(s.Tabs()->currentIndex(), 2);
        s.reject();
    });
    EXPECT_EQ(again.DoModal(), QDialog::Rejected);
}

TEST_F(PropertySheetTest, RememberedCaptionPicksTheFirstMatchingTab) {
    struct Case {
        const char* stored; // null: nothing stored
        int expected;
    };
    const Case cases[] = {
        {nullptr, 0}, {"Plugins", 4}, {"Actions", 2}, // two tabs match: the lower wins
        {"List", 0},  {"Gone", 0},    {"plugins", 0}, // captions compare exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "nothing stored");
        {
            CSettingsStore store;
            if (c.stored)
                store.WriteText(QStringLiteral("LastTab"), QStringLiteral("FilterEditor"),
                                QString::fromLatin1(c.stored));
            else
                store.DeleteValue(QStringLiteral("LastTab"), QStringLiteral("FilterEditor"));
        }
        TestSheet sheet(kCaptions, QStringLiteral("FilterEditor"));
        int shown = -1;
        CModalRunner::ScriptAs<TestSheet>([&shown](TestSheet& s) {
            shown = s.ActiveIndex();
            s.reject();
        });
        sheet.DoModal();
        EXPECT_EQ(shown, c.expected);
    }
}

TEST_F(PropertySheetTest, SheetWithoutKeyAlwaysOpensOnItsFirstPageAndStoresNothing) {
    for (int run = 0; run < 2; ++run) {
        TestSheet sheet(kCaptions);
        CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
            EXPECT_EQ(s.ActiveIndex(), 0);
            s.ClickTab(3);
            EXPECT_EQ(s.ActiveIndex(), 3);
            s.accept();
        });
        EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
    }
    QSettings file(CSettingsStore::DefaultPath(), QSettings::IniFormat);
    EXPECT_FALSE(file.childGroups().contains(QStringLiteral("LastTab")));
}

TEST_F(PropertySheetTest, PageThatRefusesKeepsTheSheetOpenOnIt) {
    UseQtUserInterface(); // the page's warning runs as a nested message box
    TestSheet sheet(kCaptions);
    CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
        s.ClickTab(1);
        s.pages[1]->valid = false;
        s.accept(); // refused: the warning below is answered, the sheet stays
    });
    CModalRunner::AnswerMessage(QStringLiteral("Invalid on Options"), QMessageBox::Ok);
    CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(s.ActiveIndex(), 1);
        s.ClickTab(4); // leaving the page is refused too
    });
    CModalRunner::AnswerMessage(QStringLiteral("Invalid on Options"), QMessageBox::Ok);
    CModalRunner::ScriptAs<TestSheet>([](TestSheet& s) {
        EXPECT_EQ(s.ActiveIndex(), 1);
        EXPECT_EQ(s.Tabs()->currentIndex(), 1);
        s.pages[1]->valid = true;
        s.accept();
    });
    EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
    for (TestPage* page : sheet.pages)
        EXPECT_EQ(page->inits, 1);
    EXPECT_EQ(sheet.pages[0]->kills, 1); // left once, for "Options"
    EXPECT_EQ(sheet.pages[1]->kills, 3);
    EXPECT_EQ(sheet.pages[4]->kills, 0);
}

TEST_F(PropertySheetTest, PageDecidesWhetherItsOkEndsTheSheet) {
    UseQtUserInterface();
    TestSheet sheet(kCaptions);
    sheet.pages[0]->askFirst = true;
    CModalRunner::Script([](QDialog& d) { d.accept(); });
    CModalRunner::AnswerMessage(QStringLiteral("Really?"), QMessageBox::No);
    CModalRunner::Script([](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        d.accept();
    });
    CModalRunner::AnswerMessage(QStringLiteral("Really?"), QMessageBox::Yes);
    EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
}

TEST_F(PropertySheetTest, CommandButtonsAndHelpReachTheSheet) {
    TestSheet sheet(kCaptions);
    sheet.SetHelpTopic(QStringLiteral("preferences"));
    QPushButton* start = sheet.AddCommandButton(TestSheet::kStart, QStringLiteral("Start"));
    EXPECT_EQ(start->text(), QStringLiteral("Start"));
    CModalRunner::ScriptAs<TestSheet>([start](TestSheet& s) {
        s.CommandBar()->button(QDialogButtonBox::Help)->click();
        start->click();
    });
    EXPECT_EQ(sheet.DoModal(), TestSheet::kStart);
    EXPECT_EQ(ui.helpTopics, QStringList{QStringLiteral("preferences")});
}

// A page whose notes list takes the height left by a label, a second list and a button.
class ListPage : public CPropertyPageEx {
public:
    ListPage() : CPropertyPageEx(QStringLiteral("Log")) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Log Notes:")));
        layout->addWidget(notes);
        layout->addWidget(other);
        layout->addWidget(button);
        StretchControl(notes);
    }
    QListWidget* notes = new QListWidget;
    QListWidget* other = new QListWidget;
    QPushButton* button = new QPushButton(QStringLiteral("Grab"));
};

TEST_F(PropertySheetTest, StretchedControlTakesTheGrowthOfTheSheet) {
    CPropertySheetEx sheet(QStringLiteral("Edit Log Notes"));
    auto* page = new ListPage;
    sheet.AddPage(page);
    CModalRunner::Script([page](QDialog& d) {
        d.resize(400, 500);
        QCoreApplication::processEvents();
        const int notesHeight = page->notes->height();
        const int otherHeight = page->other->height();
        const int buttonTop = page->button->y();
        d.resize(400, 700);
        QCoreApplication::processEvents();
        EXPECT_EQ(page->notes->height(), notesHeight + 200);
        EXPECT_EQ(page->other->height(), otherHeight);
        EXPECT_EQ(page->button->y(), buttonTop + 200);
        d.reject();
    });
    sheet.DoModal();
}

} // namespace
