#include "CTestHome.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "settings/CAppSettings.h"
#include "util/CVoiceNotes.h"

#include <QDir>
#include <QFile>

#include <memory>

// A fresh home folder with a database manager, a voice-note recorder and settings installed.
class CCacheDbManagerTest : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        notes = std::make_unique<CVoiceNotes>();
        CVoiceNotes::SetGlobal(notes.get());
        CAppSettings::SetGlobal(&settings);
        manager = std::make_unique<CCacheDbManager>();
        CCacheDbManager::SetGlobal(manager.get());
    }
    void TearDown() override {
        manager.reset();
        CAppSettings::SetGlobal(nullptr);
        CVoiceNotes::SetGlobal(nullptr);
        notes.reset();
        CTestHome::TearDown();
    }

    // Opens and at once releases a database, as "New" does; false when it cannot be opened.
    bool Create(const QString& name) {
        CCacheDb* db = manager->OpenDb(name);
        manager->ReleaseDb(db);
        return db != nullptr;
    }
    QStringList List() const {
        QStringList names;
        manager->ListDbs(names);
        return names;
    }
    QStringList Entries(const QString& folder) const {
        return QDir(Path(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<CVoiceNotes> notes;
    CAppSettings settings;
    std::unique_ptr<CCacheDbManager> manager;
};

namespace {
const QByteArray kStrangerFile("My shopping list, kept in the wrong folder.\n");
}

TEST_F(CCacheDbManagerTest, NamesAreNormalisedToFilesInsideTheFolder) {
    struct Case {
        const char* typed;
        const char* file; // empty: no database of that name
    };
    const Case cases[] = {
        {"old.caches", "oldcaches"},
        {"My.Caches-1", "MyCaches1"},
        {"../x", "x"},
        {"a/b", "ab"},
        {"..\\..\\y", "y"},
        {"/tmp/z", "tmpz"},
        {"Default", "Default"},
        {"...", ""},
        {"/", ""},
        {"-", ""},
        {"", ""},
    };
    EXPECT_EQ(&CCacheDbManager::Global(), manager.get());
    EXPECT_EQ(manager->Folder(), Path("DB_Files"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromUtf8(c.typed);
        const QString file = QString::fromUtf8(c.file);
        EXPECT_EQ(CCacheDbManager::NormalizeName(typed), file);
        EXPECT_EQ(Create(typed), !file.isEmpty());
        EXPECT_EQ(manager->DbExists(typed), !file.isEmpty());
        if (!file.isEmpty()) {
            EXPECT_TRUE(QFile::exists(Path("DB_Files/" + file)));
            EXPECT_EQ(manager->DbPath(typed), Path("DB_Files/" + file));
        }
    }
    // Nothing was made outside the folder.
    EXPECT_EQ(Entries("."), QStringList({"DB_Files"}));
    EXPECT_EQ(List(), QStringList({"Default", "MyCaches1", "ab", "oldcaches", "tmpz", "x", "y"}));
    EXPECT_EQ(manager->OpenCount(), 0);
}

TEST_F(CCacheDbManagerTest, NamesCompareWithoutLetterCase) {
    ASSERT_TRUE(Create("Default"));
    // "New" asks DbExists first: default in lower case is the same database.
    EXPECT_TRUE(manager->DbExists("default"));
    EXPECT_TRUE(manager->DbExists("DE.FAULT"));
    EXPECT_EQ(manager->ResolveName("default"), QStringLiteral("Default"));

    CCacheDb* lower = manager->OpenDb("default");
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->GetName(), QStringLiteral("Default"));
    EXPECT_EQ(lower->GetPath(), Path("DB_Files/Default"));
    EXPECT_EQ(manager->OpenDb("DEFAULT"), lower);
    EXPECT_EQ(lower->RefCount(), 2);
    EXPECT_TRUE(manager->IsOpen("dEfAuLt"));
    manager->ReleaseDb(lower);
    manager->ReleaseDb(lower);
    EXPECT_EQ(List(), QStringList({"Default"}));
    EXPECT_EQ(manager->OpenCount(), 0);
}

TEST_F(CCacheDbManagerTest, OpenDatabasesAreSharedUntilTheLastRelease) {
    CCacheDb* first = manager->OpenDb("Shared");
    ASSERT_NE(first, nullptr);
    CCacheDb* second = manager->OpenDb("Sha.red");
    EXPECT_EQ(second, first);
    CCacheDb* other = manager->OpenDb("Other");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    EXPECT_EQ(manager->OpenCount(), 2);
    EXPECT_EQ(first->RefCount(), 2);

    manager->ReleaseDb(first);
    EXPECT_TRUE(manager->IsOpen("Shared"));
    EXPECT_TRUE(first->IsOpen());
    manager->ReleaseDb(second);
    EXPECT_FALSE(manager->IsOpen("Shared"));
    EXPECT_EQ(manager->OpenCount(), 1);
    manager->ReleaseDb(nullptr);
    // The manager closes what is still open when it goes.
    manager.reset();
    EXPECT_TRUE(QFile::exists(Path("DB_Files/Other")));
}

TEST_F(CCacheDbManagerTest, ListShowsOnlyDatabaseNames) {
    ASSERT_TRUE(Create("Beta"));
    ASSERT_TRUE(Create("Alpha"));
    WriteFile("DB_Files/Alpha-journal", "");
    WriteFile("DB_Files/notes.txt", "x");
    WriteFile("DB_Files/Folder/inside", "x");
    EXPECT_EQ(List(), QStringList({"Alpha", "Beta"}));
    EXPECT_FALSE(manager->DbExists("Folder"));
}

TEST_F(CCacheDbManagerTest, RenameMovesFileAndVoiceFolder) {
    ASSERT_TRUE(Create("Old"));
    WriteFile("VoiceNotes/Old/vn1.snd", "note");
    ASSERT_TRUE(manager->RenameDb("o.ld", "New"));
    EXPECT_EQ(List(), QStringList({"New"}));
    EXPECT_EQ(ReadFile("VoiceNotes/New/vn1.snd"), QByteArray("note"));
    EXPECT_FALSE(QFile::exists(Path("VoiceNotes/Old")));

    // Only the letter case changes: the same file, now spelled differently.
    ASSERT_TRUE(manager->RenameDb("new", "NEW"));
    EXPECT_EQ(List(), QStringList({"NEW"}));
    EXPECT_EQ(ReadFile("VoiceNotes/NEW/vn1.snd"), QByteArray("note"));

    CCacheDb* db = manager->OpenDb("new");
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->GetName(), QStringLiteral("NEW"));
    manager->ReleaseDb(db);
}

TEST_F(CCacheDbManagerTest, RenameIsRefused) {
    ASSERT_TRUE(Create("Keep"));
    ASSERT_TRUE(Create("Taken"));
    WriteFile("DB_Files/Stranger", kStrangerFile);
    CCacheDb* open = manager->OpenDb("Busy");
    ASSERT_NE(open, nullptr);

    struct Case {
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"Keep", "Taken"}, {"Keep", "taken"},     {"Keep", "Busy"},
        {"Busy", "Free"},  {"Missing", "Other"},  {"Keep", "..."},
        {"", "Other"},     {"Stranger", "Other"}, {"Keep", "Stranger"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        EXPECT_FALSE(manager->RenameDb(c.from, c.to));
    }
    EXPECT_EQ(List(), QStringList({"Busy", "Keep", "Stranger", "Taken"}));
    EXPECT_EQ(ReadFile("DB_Files/Stranger"), kStrangerFile);
    EXPECT_TRUE(open->IsOpen());
    manager->ReleaseDb(open);
}

TEST_F(CCacheDbManagerTest, DeleteRemovesFileAndVoiceFolder) {
    ASSERT_TRUE(Create("Gone"));
    ASSERT_TRUE(Create("Stays"));
    WriteFile("VoiceNotes/Gone/vn1.snd", "a");
    WriteFile("VoiceNotes/Gone/vn2.snd", "b");
    WriteFile("VoiceNotes/Stays/vn1.snd", "c");
    ASSERT_TRUE(manager->DeleteDb("gone"));
    EXPECT_EQ(List(), QStringList({"Stays"}));
    EXPECT_EQ(Entries("VoiceNotes"), QStringList({"Stays"}));

    // Deleting the only database leaves the list empty; opening "Default" then creates it.
    ASSERT_TRUE(manager->DeleteDb("Stays"));
    EXPECT_TRUE(List().isEmpty());
    EXPECT_FALSE(manager->DeleteDb("Stays"));
    ASSERT_TRUE(Create("Default"));
    EXPECT_EQ(List(), QStringList({"Default"}));
}

TEST_F(CCacheDbManagerTest, OpenOrForeignFilesAreNotDeleted) {
    CCacheDb* open = manager->OpenDb("Busy");
    ASSERT_NE(open, nullptr);
    EXPECT_FALSE(manager->DeleteDb("busy"));
    EXPECT_TRUE(open->IsOpen());
    manager->ReleaseDb(open);

    WriteFile("DB_Files/Stranger", kStrangerFile);
    EXPECT_FALSE(manager->DeleteDb("Stranger"));
    // Opening it fails with the library's complaint and leaves the file as it was.
    EXPECT_EQ(manager->OpenDb("stranger"), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Database error:\n"));
    EXPECT_EQ(ReadFile("DB_Files/Stranger"), kStrangerFile);
    EXPECT_EQ(manager->OpenCount(), 0);
    EXPECT_EQ(List(), QStringList({"Busy", "Stranger"}));
}

TEST_F(CCacheDbManagerTest, CurrentDatabaseFallsBackToDefault) {
    struct Case {
        const char* what;
        const char* setting;
        bool brokenDefault;
        const char* opened; // empty: none
        const char* finalSetting;
        QStringList messages;
    };
    const QString fallback =
        QStringLiteral("Error opening database.  Attempting to use default database.");
    const Case cases[] = {
        {"missing file is created", "Fresh", false, "Fresh", "Fresh", {}},
        {"broken file falls back", "Stranger", false, "Default", "Default", {fallback}},
        {"empty name falls back", "...", false, "Default", "Default", {fallback}},
        {"broken default", "Default", true, "", "Default", {"Error opening default database!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(Path("DB_Files")).removeRecursively();
        QDir().mkpath(Path("DB_Files"));
        WriteFile("DB_Files/Stranger", kStrangerFile);
        if (c.brokenDefault)
            WriteFile("DB_Files/Default", kStrangerFile);
        ui.Clear();
        settings.m_database = QString::fromUtf8(c.setting);

        CCacheDb* db = manager->OpenCurrentDb();
        EXPECT_EQ(db ? db->GetName() : QString(), QString::fromUtf8(c.opened));
        EXPECT_EQ(settings.m_database, QString::fromUtf8(c.finalSetting));
        QStringList shown = ui.Texts();
        shown.removeIf([](const QString& t) { return t.startsWith("Database error:\n"); });
        EXPECT_EQ(shown, c.messages);
        manager->ReleaseDb(db);
    }
}
