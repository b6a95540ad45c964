#include "CDbTestFixture.h"

using CategoryTest = CDbTestFixture;

namespace {

const QStringList kDefaultNames = {"Benchmarks", "Found", "Not Found", "Other",
                                   "Owned",      "Saved", "Unfiled"};

} // namespace

TEST_F(CategoryTest, NewDatabaseHasTheDefaultCategories) {
    QStringList names;
    db.GetCategoryNames(names, false);
    EXPECT_EQ(names, kDefaultNames);
    db.GetCategoryNames(names, true);
    EXPECT_EQ(names, kDefaultNames.mid(0, 6));
    EXPECT_EQ(db.CategoryCount(), 7);

    const std::pair<const char*, quint16> ids[] = {
        {"Found", 2}, {"Saved", 6}, {"Unfiled", 0}, {"_Next", 0}, {"found", 0}, {"", 0},
    };
    for (const auto& [name, id] : ids)
        EXPECT_EQ(db.CategoryIdOf(name), id) << name;
    EXPECT_EQ(db.CategoryNameOf(0), "Unfiled");
    EXPECT_EQ(db.CategoryNameOf(1), "Benchmarks");
    EXPECT_EQ(db.CategoryNameOf(7), ""); // "_Next" is no category
    EXPECT_EQ(db.CategoryNameOf(99), "");

    ASSERT_TRUE(db.AddCategory("zeta"));
    ASSERT_TRUE(db.AddCategory("Alpha"));
    EXPECT_EQ(db.CategoryIdOf("zeta"), 7);
    EXPECT_EQ(db.CategoryIdOf("Alpha"), 8);
    db.GetCategoryNames(names, false);
    EXPECT_EQ(names.first(), "Alpha");
    EXPECT_EQ(names.at(names.size() - 2), "zeta"); // upper case sorts before lower case
}

TEST_F(CategoryTest, FreeIdSearchStartsAtNextAndWrapsPast30000) {
    struct Case {
        const char* label;
        QStringList rows; // cid|name of t_categ
        quint16 id;
        QString next;
    };
    const Case cases[] = {
        {"defaults", {}, 7, "8"},
        {"next in use", {"1|A", "2|B", "3|C", "2|_Next"}, 4, "5"},
        {"wraps from 30000 in use", {"30000|High", "1|A", "3|C", "30000|_Next"}, 2, "3"},
        {"grows past 30000 while free", {"30000|High", "30001|_Next"}, 30001, "30002"},
        {"wraps from above 30000", {"40000|High", "40000|_Next"}, 1, "2"},
        {"keeps the next id from 0 at the top", {"1|A", "65535|_Next"}, 65535, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(db.Execute("delete from t_categ"));
        {
            for (const QString& row : c.rows) {
                const QStringList parts = row.split('|');
                ASSERT_TRUE(db.Execute(QString("insert into t_categ(cid, name) values(%1,'%2')")
                                           .arg(parts[0], parts[1])));
            }
        }
        db.LoadCategories();
        ASSERT_TRUE(db.AddCategory("New"));
        EXPECT_EQ(db.CategoryIdOf("New"), c.id);
        ASSERT_TRUE(db.SaveCategories());
        EXPECT_EQ(Value("select cid from t_categ where name='_Next'"), c.next);
    }
}

TEST_F(CategoryTest, RefusedNamesAndTheLimitOf31Categories) {
    for (const char* name : {"", "All", "Unfiled", "_Next", "Found"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(db.AddCategory(name));
    }
    const std::pair<const char*, const char*> renames[] = {
        {"Found", "All"}, {"Found", "Unfiled"}, {"Found", "Saved"}, {"Found", "_Next"},
        {"Found", ""},    {"Missing", "Fine"},  {"_Next", "Fine"},  {"Unfiled", "Fine"},
    };
    for (const auto& [from, to] : renames) {
        SCOPED_TRACE(std::string(from) + " -> " + to);
        EXPECT_FALSE(db.RenameCategory(from, to));
    }
    db.DeleteCategory("_Next");
    EXPECT_EQ(db.CategoryCount(), 7);

    for (int i = 0; db.CategoryCount() < 32; ++i)
        ASSERT_TRUE(db.AddCategory(QString("Extra %1").arg(i)));
    QStringList names;
    db.GetCategoryNames(names, true);
    EXPECT_EQ(names.size(), 31);
    EXPECT_FALSE(db.AddCategory("One too many"));
    db.DeleteCategory("Extra 0");
    EXPECT_TRUE(db.AddCategory("One too many"));
}

TEST_F(CategoryTest, EditsAreWrittenBySaveAndSurviveReopening) {
    ASSERT_TRUE(db.RenameCategory("Found", "Gefunden's"));
    db.DeleteCategory("Saved");
    ASSERT_TRUE(db.AddCategory("Neu"));
    EXPECT_EQ(db.CategoryIdOf("Gefunden's"), 2);
    EXPECT_EQ(db.CategoryNameOf(2), "Gefunden's");
    EXPECT_EQ(db.CategoryNameOf(6), "");
    ASSERT_TRUE(db.SaveCategories());
    db.Close();

    ASSERT_TRUE(db.Open(DbPath("Test"), "Test"));
    QStringList names;
    db.GetCategoryNames(names, false);
    EXPECT_EQ(names, QStringList({"Benchmarks", "Gefunden's", "Neu", "Not Found", "Other", "Owned",
                                  "Unfiled"}));
    EXPECT_EQ(db.CategoryIdOf("Neu"), 7);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CategoryTest, RowsWithoutIdOrNameAreIgnoredAndLostNextRestoresDefaults) {
    ASSERT_TRUE(db.Execute("insert into t_categ(cid, name) values(0,'Zero')"));
    ASSERT_TRUE(db.Execute("insert into t_categ(cid, name) values(9,'')"));
    db.LoadCategories();
    EXPECT_EQ(db.CategoryIdOf("Zero"), 0);
    EXPECT_EQ(db.CategoryNameOf(9), "");
    EXPECT_EQ(db.CategoryCount(), 7);

    ASSERT_TRUE(db.Execute("delete from t_categ where name='_Next'"));
    ASSERT_TRUE(db.Execute("insert into t_categ(cid, name) values(20,'Mine')"));
    db.LoadCategories();
    EXPECT_EQ(db.CategoryIdOf("Mine"), 0);
    EXPECT_EQ(Value("select count(*) from t_categ"), "7");
}
