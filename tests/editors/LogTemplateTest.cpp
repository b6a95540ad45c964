#include "CTestHome.h"

#include "app/CAppSettings.h"
#include "editors/LogTemplate.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QTime>

#include <climits>

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
