#include "CTestHome.h"

#include "settings/COptionList.h"

#include <QDir>
#include <QFile>

class OptionListTest : public CTestHome {
protected:
    static QStringList Items(COptionList& list) {
        QStringList out{"left over"};
        list.GetItems(out);
        return out;
    }
};

TEST_F(OptionListTest, FirstUseWritesTheDefaultsSortedWhereTheListHasThem) {
    struct Case {
        COptionList (*make)();
        const char* file;
        const char* title;
        const char* help;
        const char* fallback;
        const char* written; // nullptr: no file is written
    };
    const Case cases[] = {
        {&COptionList::MakeCacheTypes, "CacheTypes.txt", "Cache Types", "editing_record_types",
         "Waypoint",
         "Benchmark\nCache In Trash Out Event\nEvent Cache\nLetterbox Hybrid\nMulti-cache\n"
         "Traditional Cache\nUnknown Cache\nVirtual Cache\nWebcam Cache\n"},
        {&COptionList::MakeContainerTypes, "ContTypes.txt", "Container Types",
         "editing_record_types", "Not chosen",
         "Large\nMicro\nNot chosen\nOther\nRegular\nSmall\nVirtual\n"},
        {&COptionList::MakeSiteUserIds, "SiteUserIDs.txt", "Website User IDs", "editing_site_ids",
         "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        COptionList list = c.make();
        EXPECT_EQ(list.FilePath(), Path(c.file));
        EXPECT_EQ(list.Title(), QString(c.title));
        EXPECT_EQ(list.HelpTopic(), QString(c.help));
        EXPECT_EQ(list.Fallback(), QString(c.fallback));
        EXPECT_FALSE(list.IsLoaded());
        EXPECT_FALSE(QFile::exists(Path(c.file))) << "nothing written before first use";

        // Loading and at once unloading, as start-up does, leaves the file behind.
        list.Load();
        list.Unload();
        EXPECT_FALSE(list.IsLoaded());
        if (!c.written) {
            EXPECT_FALSE(QFile::exists(Path(c.file)));
            EXPECT_EQ(Items(list), QStringList());
            continue;
        }
        EXPECT_EQ(ReadFile(c.file), QByteArray(c.written));
        EXPECT_EQ(Items(list).join('\n') + '\n', QString(c.written));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OptionListTest, FileLinesAreStrippedSkippedAndSorted) {
    struct Case {
        const char* name;
        QByteArray file;
        QStringList expected;
    };
    const Case cases[] = {
        {"sorted on reading", "Virtual\nMicro\n", {"Micro", "Virtual"}},
        {"last line without line feed", "Micro\nSmall", {"Micro", "Small"}},
        {"hand-edited", "  Micro \r\n\r\n\n\tSmall\t\r\n   \n", {"Micro", "Small"}},
        {"upper case before lower case", "b\nB\na\nA\n", {"A", "B", "a", "b"}},
        {"inner blanks kept", "Not  chosen\n", {"Not  chosen"}},
        {"existing empty file: no defaults", "", {}},
        {"only blank lines", "\n \r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile("ContTypes.txt", c.file);
        COptionList list = COptionList::MakeContainerTypes();
        EXPECT_EQ(Items(list), c.expected);
        EXPECT_EQ(ReadFile("ContTypes.txt"), c.file) << "reading never rewrites the file";
    }
}

TEST_F(OptionListTest, StoringTheEditedEntriesSortsSavesAndFallsBack) {
    struct Case {
        COptionList (*make)();
        const char* file;
        QStringList edited;
        QStringList expected;
        QByteArray written;
    };
    const Case cases[] = {
        {&COptionList::MakeCacheTypes, "CacheTypes.txt", {}, {"Waypoint"}, "Waypoint\n"},
        {&COptionList::MakeContainerTypes, "ContTypes.txt", {}, {"Not chosen"}, "Not chosen\n"},
        {&COptionList::MakeSiteUserIds, "SiteUserIDs.txt", {}, {}, ""},
        {&COptionList::MakeSiteUserIds,
         "SiteUserIDs.txt",
         {"zed", "Me", "Al"},
         {"Al", "Me", "zed"},
         "Al\nMe\nzed\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        COptionList list = c.make();
        list.Load();
        list.SetItems(c.edited);
        EXPECT_EQ(Items(list), c.expected);
        ASSERT_TRUE(QFile::exists(Path(c.file)));
        EXPECT_EQ(ReadFile(c.file), c.written);
        list.Unload();
        EXPECT_EQ(Items(list), c.expected) << "read back from the file";
    }
}

TEST_F(OptionListTest, ContainsComparesExactly) {
    WriteFile("SiteUserIDs.txt", "JoeCacher\nTeam Rocket\n");
    COptionList ids = COptionList::MakeSiteUserIds();
    const std::pair<const char*, bool> cases[] = {
        {"JoeCacher", true},   {"Team Rocket", true}, {"joecacher", false}, {"JOECACHER", false},
        {" JoeCacher", false}, {"Joe", false},        {"", false},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ids.Contains(text), expected);
    }
}

TEST_F(OptionListTest, AddIfMissingAddsSortsAndSavesAtOnce) {
    COptionList types = COptionList::MakeCacheTypes();
    types.AddIfMissing("Earthcache");
    types.AddIfMissing("Benchmark");
    types.AddIfMissing("benchmark");
    types.AddIfMissing("");
    EXPECT_EQ(ReadFile("CacheTypes.txt"),
              "Benchmark\nCache In Trash Out Event\nEarthcache\nEvent Cache\nLetterbox Hybrid\n"
              "Multi-cache\nTraditional Cache\nUnknown Cache\nVirtual Cache\nWebcam Cache\n"
              "benchmark\n");

    COptionList ids = COptionList::MakeSiteUserIds();
    ids.AddIfMissing("");
    EXPECT_FALSE(QFile::exists(Path("SiteUserIDs.txt"))) << "an empty text is never added";
    ids.AddIfMissing("Me");
    EXPECT_EQ(ReadFile("SiteUserIDs.txt"), "Me\n");
}

TEST_F(OptionListTest, EntriesStayInMemoryUntilUnloaded) {
    WriteFile("SiteUserIDs.txt", "Old\n");
    COptionList ids = COptionList::MakeSiteUserIds();
    EXPECT_TRUE(ids.Contains("Old"));
    WriteFile("SiteUserIDs.txt", "New\n");
    EXPECT_TRUE(ids.Contains("Old"));
    EXPECT_FALSE(ids.Contains("New"));
    ids.Unload();
    EXPECT_FALSE(ids.Contains("Old"));
    EXPECT_TRUE(ids.Contains("New"));
}

TEST_F(OptionListTest, AFileThatCannotBeWrittenIsLeftAloneSilently) {
    // A folder in the file's place: reading and writing both fail.
    ASSERT_TRUE(QDir(Home()).mkdir("CacheTypes.txt"));
    COptionList types = COptionList::MakeCacheTypes();
    EXPECT_EQ(Items(types).size(), 9) << "the defaults are used in memory";
    types.SetItems({"Mine"});
    EXPECT_EQ(Items(types), QStringList{"Mine"});
    EXPECT_TRUE(QFileInfo(Path("CacheTypes.txt")).isDir());
    EXPECT_TRUE(ui.messages.empty());
}
