#include "list/CListColumns.h"

#include "list/ListNumbers.h"
#include "settings/CAppSettings.h"
#include "settings/CSettingsStore.h"

namespace {

const QString kSection = QStringLiteral("ListView");
const QString kColumnsValue = QStringLiteral("Columns");
const QString kAllColumnsValue = QStringLiteral("AllColumns");
const QString kWidthsValue = QStringLiteral("ColumnWidths");

struct KindTitles {
    const char* header;
    const char* editor;
};

const KindTitles kTitles[kColumnKindCount] = {
    {"Type", "Type"},       {"Container", "Container"}, {"Bug", "Travel Bug"},
    {"Notes", "Notes"},     {"Found", "Found"},         {"Bookmark", "Bookmark"},
    {"Name", "Name"},       {"Wpt", "Waypoint"},        {"Diff", "Difficulty"},
    {"Terr", "Terrain"},    {"Distance", "Distance"},   {"Bearing", "Bearing"},
    {"Owner", "Owner"},     {"Hunt End", "Hunt End"},   {"Disabled", "Disabled"},
    {"Custom1", "Custom1"}, {"Custom2", "Custom2"},     {"Custom3", "Custom3"},
    {"Find %", "Find %"},
};

bool ValidKind(int kind) {
    return kind >= 0 && kind < kColumnKindCount;
}

} // namespace

const QString CListColumns::kDefaultColumns = QStringLiteral("CDEHG");

int CListColumns::KindOf(QChar letter) {
    const char16_t u = letter.unicode();
    return u >= u'A' && u <= u'S' ? int(u - u'A') : -1;
}

QChar CListColumns::LetterOf(int kind) {
    return ValidKind(kind) ? QChar(char16_t(u'A' + kind)) : QChar();
}

QString CListColumns::HeaderTitle(int kind) {
    return ValidKind(kind) ? QString::fromLatin1(kTitles[kind].header) : QString();
}

QString CListColumns::EditorTitle(int kind) {
    return ValidKind(kind) ? QString::fromLatin1(kTitles[kind].editor) : QString();
}

bool CListColumns::IsIconKind(int kind) {
    return kind == kKindBug || kind == kKindNotes || kind == kKindFound || kind == kKindBookmark ||
           kind == kKindDisabled;
}

int CListColumns::IconColumnWidth(int dpi, bool smallFontMode) {
    return smallFontMode ? 11 : (dpi * 11 + 48) / 96;
}

QString CListColumns::ValidLetters(const QString& columns) {
    QString out;
    out.reserve(columns.size());
    for (QChar c : columns) {
        if (KindOf(c) >= 0)
            out.append(c);
    }
    return out;
}

QString CListColumns::ReadColumns() {
    return CSettingsStore().ReadText(kSection, kColumnsValue, kDefaultColumns);
}

QString CListColumns::ReadAllColumns() {
    return CSettingsStore().ReadText(kSection, kAllColumnsValue);
}

std::vector<CListColumns::EditorItem> CListColumns::EditorItems(const QString& columns,
                                                                const QString& allColumns) {
    const bool ordered = !allColumns.isEmpty();
    const QString& order = ordered ? allColumns : columns;
    std::vector<EditorItem> items;
    bool listed[kColumnKindCount] = {};
    for (QChar c : order) {
        const int kind = KindOf(c);
        if (kind < 0 || listed[kind])
            continue;
        listed[kind] = true;
        items.push_back({c, EditorTitle(kind), !ordered || columns.contains(c)});
    }
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (!listed[kind])
            items.push_back({LetterOf(kind), EditorTitle(kind), false});
    }
    return items;
}

void CListColumns::StringsFromItems(const std::vector<EditorItem>& items, QString& columns,
                                    QString& allColumns) {
    columns.clear();
    allColumns.clear();
    for (const EditorItem& item : items) {
        allColumns.append(item.letter);
        if (item.checked)
            columns.append(item.letter);
    }
    if (columns.isEmpty())
        columns = kDefaultColumns;
}

void CListColumns::WriteColumns(const QString& columns, const QString& allColumns) {
    CSettingsStore store;
    store.WriteText(kSection, kColumnsValue, columns);
    store.WriteText(kSection, kAllColumnsValue, allColumns);
}

std::vector<int> CListColumns::ParseWidths(const QString& text) {
    std::vector<int> widths;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            break;
        widths.push_back(qMax(1, TextToInt(text.mid(start, end - start))));
        start = end + 1;
    }
    return widths;
}

QString CListColumns::FormatWidths(const std::vector<int>& widths) {
    QString text;
    for (int width : widths)
        text += QString::number(width) + QLatin1Char(';');
    return text;
}

bool CListColumns::Update() {
    return SetLetters(ReadColumns());
}

bool CListColumns::SetLetters(const QString& columns) {
    const QString letters = ValidLetters(columns);
    if (m_built && letters == m_letters)
        return false;
    m_letters = letters;
    m_built = true;
    return true;
}

int CListColumns::RememberedWidth(int position) const {
    return position >= 0 && position < int(m_widths.size()) ? m_widths[position] : 0;
}

void CListColumns::LoadColumnWidths() {
    m_widths = ParseWidths(CSettingsStore().ReadText(kSection, kWidthsValue));
}

void CListColumns::SaveColumnWidths(const std::vector<int>& currentWidths) {
    m_widths.clear();
    if (CAppSettings::Global().m_saveColumns) {
        m_widths = currentWidths;
        CSettingsStore().WriteText(kSection, kWidthsValue, FormatWidths(m_widths));
    }
    m_widthsChanged = false;
}

void CListColumns::ForgetColumnWidths() {
    m_widths.clear();
    CSettingsStore().DeleteValue(kSection, kWidthsValue);
}
