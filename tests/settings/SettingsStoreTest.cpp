#include "SettingsTestHome.h"

#include "settings/CSettingsStore.h"
#include "util/HomeFolder.h"

#include <QDir>

class SettingsStoreTest : public SettingsTestHome {};

TEST_F(SettingsStoreTest, IntegersReadOnlyFromPlainDecimalText) {
    struct Case {
        const char* stored; // nullptr: no value at all
        int expected;
    };
    const Case cases[] = {
        {"5", 5},
        {"-7", -7},
        {"0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT_MIN},
        {"2147483648", 42},
        {"abc", 42},
        {"12x", 42},
        {"1.5", 42},
        {"0x10", 42},
        {"", 42},
        {nullptr, 42},
    };
    QByteArray ini = "[Config]\n";
    for (int i = 0; i < int(std::size(cases)); ++i) {
        if (cases[i].stored)
            ini += "V" + QByteArray::number(i) + "=" + cases[i].stored + "\n";
    }
    WriteSettings(ini);

    CSettingsStore store;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].stored ? cases[i].stored : "(missing)");
        EXPECT_EQ(store.ReadInt("Config", "V" + QString::number(i), 42), cases[i].expected);
    }
}

TEST_F(SettingsStoreTest, ValuesSurviveInTheFileWithTheirKinds) {
    const QString text = QStringLiteral("@Caché, \"quoted\"; = # \\ end");
    {
        CSettingsStore store;
        store.WriteInt("ListView", "SortColumn", -3);
        store.WriteText("ListView", "Columns", text);
        store.WriteText("ListView", "Empty", QString());
        store.WriteText("LastTab", "Preferences", "2");
        // Read back before the file is written.
        EXPECT_EQ(store.ReadInt("ListView", "SortColumn", 0), -3);
    }
    EXPECT_EQ(StoredValue("ListView", "SortColumn"), QStringLiteral("-3"));
    EXPECT_EQ(StoredValue("ListView", "Empty"), QString());

    CSettingsStore store;
    EXPECT_EQ(store.ReadInt("ListView", "SortColumn", 0), -3);
    EXPECT_EQ(store.ReadText("ListView", "Columns"), text);
    EXPECT_TRUE(store.HasValue("ListView", "Empty"));
    EXPECT_EQ(store.ReadText("ListView", "Empty", "fallback"), QString());
    EXPECT_EQ(store.ReadText("ListView", "Missing", "fallback"), QStringLiteral("fallback"));
    // Names and sections are exact.
    EXPECT_FALSE(store.HasValue("ListView", "sortcolumn"));
    EXPECT_FALSE(store.HasValue("Config", "SortColumn"));

    store.DeleteValue("LastTab", "Preferences");
    store.DeleteValue("LastTab", "NeverThere");
    store.Flush();
    EXPECT_FALSE(StoredValue("LastTab", "Preferences").has_value());
    EXPECT_TRUE(StoredValue("ListView", "Columns").has_value());
}

TEST_F(SettingsStoreTest, HandEditedTextWithCommasReadsAsOneText) {
    WriteSettings("[Actions]\nCategFound=Found, Logged\n");
    EXPECT_EQ(CSettingsStore().ReadText("Actions", "CategFound"), QStringLiteral("Found, Logged"));
}

TEST_F(SettingsStoreTest, FileLivesInTheHomeOnlyWhenTheHomeIsSelfContained) {
    EXPECT_EQ(CSettingsStore::DefaultPath(), Path("Quarrybook.ini"));

    const QByteArray savedHome = qgetenv("QUARRYBOOK_HOME");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("QUARRYBOOK_HOME");
    qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
    ResetHomeFolder();

    EXPECT_EQ(CSettingsStore::DefaultPath(), Path("config/Quarrybook/Quarrybook.ini"));
    CSettingsStore().WriteInt("Config", "DistUnits", 1);
    EXPECT_TRUE(QFile::exists(Path("config/Quarrybook/Quarrybook.ini")));

    qputenv("QUARRYBOOK_HOME", savedHome);
    for (const auto& [name, value] :
         {std::pair{"XDG_DATA_HOME", savedData}, std::pair{"XDG_CONFIG_HOME", savedConfig}}) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ResetHomeFolder();
}
