#include "ListTestHome.h"

#include "settings/CSettingsStore.h"

namespace {

class ColumnsTest : public ListTestHome {};

QString Letters(const std::vector<CListColumns::EditorItem>& items, bool checkedOnly) {
    QString out;
    for (const auto& item : items) {
        if (!checkedOnly || item.checked)
            out.append(item.letter);
    }
    return out;
}

TEST_F(ColumnsTest, EditorItemsFromStoredStrings) {
    const struct {
        const char* columns;
        const char* allColumns;
        const char* order;
        const char* checked;
    } cases[] = {
        {"CDEHG", "", "CDEHGABFIJKLMNOPQRS", "CDEHG"},
        {"G1hZH-G", "", "GHABCDEFIJKLMNOPQRS", "GH"},
        {"HK", "SRQPONMLKJIHGFEDCBA", "SRQPONMLKJIHGFEDCBA", "KH"},
        {"AK", "KxxAKB", "KABCDEFGHIJLMNOPQRS", "KA"},
        {"", "", "ABCDEFGHIJKLMNOPQRS", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.columns) + " / " + c.allColumns);
        const auto items = CListColumns::EditorItems(c.columns, c.allColumns);
        EXPECT_EQ(Letters(items, false), QLatin1String(c.order));
        EXPECT_EQ(Letters(items, true), QLatin1String(c.checked));
    }
    const auto items = CListColumns::EditorItems("CH", "");
    EXPECT_EQ(items[0].title, "Travel Bug");
    EXPECT_EQ(items[1].title, "Waypoint");
}

TEST_F(ColumnsTest, EditorStringsAndStore) {
    auto items = CListColumns::EditorItems("GH", "");
    QString columns, all;
    CListColumns::StringsFromItems(items, columns, all);
    EXPECT_EQ(columns, "GH");
    EXPECT_EQ(all, "GHABCDEFIJKLMNOPQRS");
    for (auto& item : items)
        item.checked = false;
    CListColumns::StringsFromItems(items, columns, all);
    EXPECT_EQ(columns, "CDEHG");

    EXPECT_EQ(CListColumns::ReadColumns(), "CDEHG");
    EXPECT_EQ(CListColumns::ReadAllColumns(), "");
    CListColumns::WriteColumns("KG", all);
    EXPECT_EQ(CListColumns::ReadColumns(), "KG");
    EXPECT_EQ(CListColumns::ReadAllColumns(), all);
}

TEST_F(ColumnsTest, ShownLettersChangeOnlyWhenDifferent) {
    CListColumns columns;
    CSettingsStore().WriteText("ListView", "Columns", "XYZ");
    EXPECT_TRUE(columns.Update()); // the first build always happens
    EXPECT_EQ(columns.Letters(), "");
    EXPECT_TRUE(columns.SetLetters("a#GKs"));
    EXPECT_EQ(columns.Letters(), "GK");
    EXPECT_FALSE(columns.SetLetters("G?K"));
    EXPECT_EQ(columns.KindAt(1), kKindDistance);
}

TEST_F(ColumnsTest, WidthsText) {
    const struct {
        const char* text;
        std::vector<int> widths;
    } cases[] = {
        {"11;11;11;52;120;", {11, 11, 11, 52, 120}},
        {"0;-5;abc;;7", {1, 1, 1, 1}}, // the piece after the last ";" is ignored
        {"", {}},
        {"30", {}},
        {" 40;", {40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CListColumns::ParseWidths(c.text), c.widths);
    }
    EXPECT_EQ(CListColumns::FormatWidths({11, 52, 120}), "11;52;120;");
}

TEST_F(ColumnsTest, WidthsRememberedOnlyWithSaveColumns) {
    CListColumns columns;
    columns.SetWidthsChanged();
    columns.SaveColumnWidths({20, 30});
    EXPECT_FALSE(columns.WidthsChanged());
    EXPECT_TRUE(columns.RememberedWidths().empty());
    EXPECT_FALSE(CSettingsStore().HasValue("ListView", "ColumnWidths"));

    settings->m_saveColumns = 1;
    columns.SaveColumnWidths({20, 0, -3});
    EXPECT_EQ(CSettingsStore().ReadText("ListView", "ColumnWidths"), "20;0;-3;");

    CListColumns reread;
    reread.LoadColumnWidths();
    EXPECT_EQ(reread.RememberedWidths(), (std::vector<int>{20, 1, 1}));
    EXPECT_EQ(reread.RememberedWidth(0), 20);
    EXPECT_EQ(reread.RememberedWidth(3), 0); // none: sized to contents

    reread.ForgetColumnWidths();
    EXPECT_TRUE(reread.RememberedWidths().empty());
    EXPECT_FALSE(CSettingsStore().HasValue("ListView", "ColumnWidths"));
}

TEST_F(ColumnsTest, IconColumns) {
    QString icons;
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (CListColumns::IsIconKind(kind))
            icons.append(CListColumns::LetterOf(kind));
    }
    EXPECT_EQ(icons, "CDEFO");
    EXPECT_EQ(CListColumns::IconColumnWidth(96, false), 11);
    EXPECT_EQ(CListColumns::IconColumnWidth(192, false), 22);
    EXPECT_EQ(CListColumns::IconColumnWidth(192, true), 11);
}

} // namespace
