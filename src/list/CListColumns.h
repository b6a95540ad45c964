#pragma once

#include <QChar>
#include <QString>

#include <vector>

// The nineteen column kinds of the record list. A column is named by a letter "A" to "S"; its
// kind, also the number stored as "SortColumn", is the letter's offset from "A".
enum ColumnKind : int {
    kKindType = 0,   // A
    kKindContainer,  // B
    kKindBug,        // C (icon)
    kKindNotes,      // D (icon)
    kKindFound,      // E (icon)
    kKindBookmark,   // F (icon)
    kKindName,       // G
    kKindWpt,        // H
    kKindDiff,       // I
    kKindTerr,       // J
    kKindDistance,   // K
    kKindBearing,    // L
    kKindOwner,      // M
    kKindHuntEnd,    // N
    kKindDisabled,   // O (icon)
    kKindCustom1,    // P
    kKindCustom2,    // Q
    kKindCustom3,    // R
    kKindFindRating, // S
    kColumnKindCount
};

// The columns the list shows and their remembered widths, kept in the "ListView" section of the
// settings store: "Columns" (the shown letters, left to right), "AllColumns" (the order of all
// letters in the column editor) and "ColumnWidths" (each width in pixels followed by ";").
class CListColumns {
public:
    // The column string used when none is stored, or when the editor leaves no column checked:
    // Bug, Notes, Found, Wpt, Name.
    static const QString kDefaultColumns;

    // --- Kinds and titles ------------------------------------------------------------------

    // The kind of a letter "A" to "S"; -1 for any other character.
    static int KindOf(QChar letter);
    static QChar LetterOf(int kind);
    // The short title of the list header ("Bug", "Wpt", "Diff"...); empty for an unknown kind.
    static QString HeaderTitle(int kind);
    // The long title of the column editor ("Travel Bug", "Waypoint", "Difficulty"...).
    static QString EditorTitle(int kind);
    // Bug, Notes, Found, Bookmark and Disabled show an icon instead of text.
    static bool IsIconKind(int kind);
    // The fixed width of an icon column: 11 pixels in small-font mode, otherwise scaled with the
    // screen's dots per inch (11 at 96, 22 at 192).
    static int IconColumnWidth(int dpi, bool smallFontMode);

    // --- Column strings ------------------------------------------------------------------------

    // The valid letters of a column string, in order; other characters are dropped.
    static QString ValidLetters(const QString& columns);
    // The stored values "Columns" (default "CDEHG") and "AllColumns" (default empty), as stored.
    static QString ReadColumns();
    static QString ReadAllColumns();

    // One line of the column editor.
    struct EditorItem {
        QChar letter;
        QString title;
        bool checked = false;
    };
    // The editor's lines for the stored strings: the letters of "AllColumns" in its order, each
    // checked when it occurs in "Columns" (when "AllColumns" is empty, the letters of "Columns",
    // all checked), then every letter missing from that order, unchecked, from "A" to "S".
    // Invalid characters are skipped and each letter is listed once.
    static std::vector<EditorItem> EditorItems(const QString& columns, const QString& allColumns);
    // The strings the editor's OK stores: every letter in order as "AllColumns", the checked ones
    // as "Columns" ("CDEHG" when none is checked).
    static void StringsFromItems(const std::vector<EditorItem>& items, QString& columns,
                                 QString& allColumns);
    // Writes both values.
    static void WriteColumns(const QString& columns, const QString& allColumns);

    // --- Widths --------------------------------------------------------------------------------

    // Reads a "ColumnWidths" text: each piece followed by ";" as a decimal number, values below
    // 1 (and pieces without a number) as 1; a piece after the last ";" is ignored.
    static std::vector<int> ParseWidths(const QString& text);
    // The stored form of widths: each as "%d;".
    static QString FormatWidths(const std::vector<int>& widths);

    // The current column string (valid letters only); empty until the first Update.
    const QString& Letters() const { return m_letters; }
    int Count() const { return int(m_letters.size()); }
    // The kind of the column at a position.
    int KindAt(int position) const { return KindOf(m_letters.at(position)); }
    // Takes the column string from "Columns"; false (and nothing changed) when it equals the
    // current one, so the list rebuilds its columns only when they changed.
    bool Update();
    // Takes the given column string (valid letters only); false when unchanged.
    bool SetLetters(const QString& columns);

    // The remembered width of the column at a position; 0 when none is remembered there (the
    // column is then sized to its contents).
    int RememberedWidth(int position) const;
    const std::vector<int>& RememberedWidths() const { return m_widths; }
    // Reads the remembered widths from "ColumnWidths".
    void LoadColumnWidths();
    // Remembers the current widths of the columns (in column order) and writes them as
    // "ColumnWidths" when "SaveColumns" is on; otherwise remembers nothing. In every case the
    // widths count as saved.
    void SaveColumnWidths(const std::vector<int>& currentWidths);
    // Forgets the remembered widths and deletes "ColumnWidths".
    void ForgetColumnWidths();

    // Set when the user resized a column; cleared when the widths are saved.
    bool WidthsChanged() const { return m_widthsChanged; }
    void SetWidthsChanged() { m_widthsChanged = true; }

private:
    QString m_letters;
    bool m_built = false; // a column string has been taken
    std::vector<int> m_widths;
    bool m_widthsChanged = false;
};
