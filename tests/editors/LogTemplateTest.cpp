#include "CTestHome.h"

#include "editors/EditMenu.h"
#include "editors/LogTemplate.h"
#include "settings/CAppSettings.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTime>

#include <array>
#include <climits>
#include <optional>

class LogTemplateTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        m_settings.LoadSettings();
        CAppSettings::SetGlobal(&m_settings);
    }
    void TearDown() override {
        CAppSettings::SetGlobal(nullptr);
        CTestHome::TearDown();
    }

    // What the template gives at this moment, with "{date}" and "{time}" standing for the
    // locale's texts.
    static QString Now(QString expected) {
        const QLocale locale = QLocale::system();
        expected.replace("{date}", locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        expected.replace("{time}", locale.toString(QTime::currentTime(), QLocale::ShortFormat));
        return expected;
    }

    // Expands and checks the result against the expectation taken just before and just after, so
    // that a minute or a day turning over in between does not matter.
    static void ExpectExpansion(bool countsFind, const QString& expected) {
        const QString before = Now(expected);
        const QString result = ExpandLogTemplate(countsFind);
        const QString after = Now(expected);
        EXPECT_TRUE(result == before || result == after)
            << "got: " << result.toStdString() << "\nexpected: " << after.toStdString();
    }

    CAppSettings m_settings;
};

TEST_F(LogTemplateTest, MissingOrEmptyFileIsWrittenWithTheDefaultTemplate) {
    const QByteArray defaultFile = "Took: \r\nLeft: \r\nTook TB: \r\nLeft TB: \r\n";
    EXPECT_EQ(kDefaultLogTemplate, QString::fromLatin1(defaultFile));
    for (const char* situation : {"missing", "empty"}) {
        SCOPED_TRACE(situation);
        if (QByteArray(situation) == "empty")
            WriteFile("LogTemplate.txt", "");
        EXPECT_EQ(ExpandLogTemplate(false), kDefaultLogTemplate);
        EXPECT_EQ(ReadFile("LogTemplate.txt"), defaultFile);
    }
}

TEST_F(LogTemplateTest, StartUpExpansionNeedsNoSettings) {
    // Start-up creates the file before the settings exist; not counting never touches them.
    CAppSettings::SetGlobal(nullptr);
    EXPECT_EQ(ExpandLogTemplate(false), kDefaultLogTemplate);
    EXPECT_TRUE(QFile::exists(Path("LogTemplate.txt")));
}

TEST_F(LogTemplateTest, VariablesAreReplacedAndCountedFindsMoveTheCounterOn) {
    struct Case {
        const char* name;
        QByteArray file;
        bool countsFind;
        int countBefore;
        const char* expected;
        int countAfter;
    };
    const Case cases[] = {
        {"counted find", "%fcount%. %date%", true, 57, "57. {date}", 58},
        {"not counted", "%fcount%. %date%", false, 57, ". {date}", 57},
        {"one number for every occurrence", "#%fcount% #%fcount%\r\n", true, 1, "#1 #1\r\n", 2},
        {"date and time", "At %time% on %date%\r\nTook: \r\n", false, 5,
         "At {time} on {date}\r\nTook: \r\n", 5},
        {"names are exact", "%FCOUNT% %date %Date% %time", true, 9, "%FCOUNT% %date %Date% %time",
         10},
        {"not scanned again", "%fcount%date%", true, 3, "3date%", 4},
        {"blank template is kept", " \n", false, 1, " \n", 1},
        {"counter stays at its largest value", "%fcount%", true, INT_MAX, "2147483647", INT_MAX},
    };
    ASSERT_FALSE(Now("{date}{time}").isEmpty()) << "the locale gives no date or time text";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile("LogTemplate.txt", c.file);
        m_settings.m_foundCount = c.countBefore;

        ExpectExpansion(c.countsFind, QString::fromUtf8(c.expected));

        EXPECT_EQ(m_settings.m_foundCount, c.countAfter);
        EXPECT_EQ(ReadFile("LogTemplate.txt"), c.file) << "the file is never changed";
        if (c.countsFind) {
            CAppSettings saved;
            saved.LoadSettings();
            EXPECT_EQ(saved.m_foundCount, c.countAfter) << "the counter is saved at once";
            EXPECT_TRUE(ReadFile("Quarrybook.ini")
                            .contains("FoundCount=" + QByteArray::number(c.countAfter)));
        }
    }
}

TEST_F(LogTemplateTest, CountingSavesTheOtherSettingsToo) {
    WriteFile("LogTemplate.txt", "%fcount%");
    m_settings.m_foundCount = 7;
    m_settings.m_database = "Trip";
    EXPECT_EQ(ExpandLogTemplate(true), QStringLiteral("7"));
    CAppSettings saved;
    saved.LoadSettings();
    EXPECT_EQ(saved.m_database, QStringLiteral("Trip"));
}

TEST_F(LogTemplateTest, LogTemplateCommandPutsTheTemplateIntoTheNotesAsAnswered) {
    WriteFile("LogTemplate.txt", "#%fcount%");
    struct Case {
        const char* name;
        const char* notes;
        std::optional<MsgAnswer> answer; // none: no question is asked
        bool countsFind;
        const char* expected; // null: the command was cancelled
        int countAfter;
    };
    const Case cases[] = {
        {"empty notes take the template", "", std::nullopt, true, "#10", 11},
        {"Yes prepends directly", "abc", MsgAnswer::Yes, false, "#abc", 10},
        {"No appends after a line end", "abc", MsgAnswer::No, false, "abc\r\n#", 10},
        // The find number is taken before the question, so Cancel still uses it up.
        {"Cancel keeps the notes", "abc", MsgAnswer::Cancel, true, nullptr, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings.m_foundCount = 10;
        ui.Clear();
        if (c.answer)
            ui.Answer(*c.answer);
        QString result = QStringLiteral("untouched");
        const bool done = InsertLogTemplate(QString::fromLatin1(c.notes), c.countsFind, result);
        EXPECT_EQ(done, c.expected != nullptr);
        EXPECT_EQ(result,
                  c.expected ? QString::fromLatin1(c.expected) : QStringLiteral("untouched"));
        EXPECT_EQ(m_settings.m_foundCount, c.countAfter);
        if (c.answer) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text,
                      QStringLiteral("Prepend template to existing log notes?  Answering \"No\" "
                                     "will append the template."));
            EXPECT_EQ(ui.messages[0].icon, MsgIcon::Question);
            EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoCancel);
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
        EXPECT_TRUE(ui.AllAnswersUsed());
    }
}

TEST_F(LogTemplateTest, AutoInsertTurnsTheSettingOverAndSavesIt) {
    for (int before : {0, 1}) {
        SCOPED_TRACE(before);
        m_settings.m_autoInsLogTmpl = before;
        EXPECT_EQ(ToggleAutoInsertLogTemplate(), before == 0);
        CAppSettings saved;
        saved.LoadSettings();
        EXPECT_EQ(saved.m_autoInsLogTmpl, before == 0 ? 1 : 0);
    }
}

TEST_F(LogTemplateTest, EditMenuItemsFollowTheFieldAndTheSetting) {
    using C = EEditCommand;
    struct Case {
        const char* name;
        CEditFieldState state;
        bool extended;
        // Enabled states of Undo, Clear, Copy, Cut, Paste.
        std::array<bool, 5> enabled;
    };
    const Case cases[] = {
        {"fresh field", {false, false, false, true}, false, {false, false, false, false, true}},
        {"selection with undo", {true, true, false, true}, false, {true, true, true, true, true}},
        {"read-only with selection",
         {true, true, true, true},
         false,
         {false, false, true, false, false}},
        {"read-only without selection",
         {true, false, true, true},
         false,
         {false, false, false, false, false}},
        {"disabled", {true, true, false, false}, true, {false, false, true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_settings.m_autoInsLogTmpl = c.extended ? 1 : 0;
        const std::vector<CEditMenuItem> items = EditMenuItems(c.state, c.extended);
        ASSERT_EQ(items.size(), c.extended ? 7u : 5u);
        const C order[] = {C::Undo, C::Clear, C::Copy, C::Cut, C::Paste};
        const char* captions[] = {"Undo", "Clear", "Copy", "Cut", "Paste"};
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(items[i].command, order[i]);
            EXPECT_EQ(items[i].caption, QLatin1String(captions[i]));
            EXPECT_EQ(items[i].enabled, c.enabled[i]) << captions[i];
            EXPECT_FALSE(items[i].checkable);
        }
        if (c.extended) {
            EXPECT_EQ(items[5].caption, QStringLiteral("Log Template"));
            EXPECT_TRUE(items[5].separatorBefore);
            EXPECT_TRUE(items[5].enabled) << "always on, even in a disabled field";
            EXPECT_EQ(items[6].caption, QStringLiteral("Auto Insert"));
            EXPECT_TRUE(items[6].checkable);
            EXPECT_TRUE(items[6].checked);
        }
    }
    m_settings.m_autoInsLogTmpl = 0;
    EXPECT_FALSE(EditMenuItems({}, true)[6].checked);
}
