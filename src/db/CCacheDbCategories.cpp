// Categories of CCacheDb: the name-to-id map, loaded at open and written back as a whole.

#include "db/CCacheDb.h"

#include "db/COperationScope.h"
#include "util/CUserInterface.h"
#include "util/TextHelpers.h"

#include <cstring>

namespace {

const std::pair<const char*, quint16> kDefaultCategories[] = {
    {"Benchmarks", 1}, {"Found", 2}, {"Not Found", 3}, {"Other", 4},
    {"Owned", 5},      {"Saved", 6}, {"_Next", 7},
};

} // namespace

void CCacheDb::LoadCategories() {
    m_categories.clear();
    bool readAll = false;
    CDbStatement rows;
    if (Execute(QStringLiteral("select * from t_categ"), rows)) {
        for (;;) {
            const CDbStatement::Step step = rows.Next();
            if (step != CDbStatement::Step::Row) {
                readAll = step == CDbStatement::Step::Done;
                break;
            }
            QString name;
            quint16 cid = 0;
            for (int c = 0; c < rows.ColumnCount(); ++c) {
                if (std::strcmp(rows.ColumnName(c), "name") == 0)
                    name = rows.Text(c);
                else if (std::strcmp(rows.ColumnName(c), "cid") == 0)
                    cid = quint16(rows.Int64(c));
            }
            if (cid != 0 && !name.isEmpty())
                m_categories[name] = cid;
        }
    }
    rows.Finalize();
    if (m_categories.contains(kNextCategory))
        return;

    m_categories.clear();
    for (const auto& [name, id] : kDefaultCategories)
        m_categories[QString::fromLatin1(name)] = id;
    // Only a table read to its end is known to lack its categories; one that could not be read
    // keeps its rows, and the defaults serve in memory only.
    if (readAll)
        SaveCategories();
}

bool CCacheDb::SaveCategories() {
    CWaitCursor wait;
    // The rows are replaced in one unit: an interruption never leaves the table half written.
    COperationScope op(*this);
    if (!op.Begin())
        return false;
    if (!Execute(QStringLiteral("delete from t_categ")))
        return op.Finish(false);
    for (auto it = m_categories.cbegin(); it != m_categories.cend(); ++it) {
        QString name = it.key();
        name.replace(QLatin1Char('\''), QLatin1String("''"));
        if (!Execute(QStringLiteral("insert into t_categ(cid, name) values(") +
                     QString::number(it.value()) + QStringLiteral(",'") + name +
                     QStringLiteral("')")))
            return op.Finish(false);
    }
    return op.Finish(true);
}

void CCacheDb::GetCategoryNames(QStringList& out, bool skipUnfiled) const {
    out.clear();
    for (auto it = m_categories.cbegin(); it != m_categories.cend(); ++it) {
        if (it.key() != kNextCategory)
            out.append(it.key());
    }
    SortStrings(out);
    if (!skipUnfiled)
        out.append(kUnfiledCategory);
}

quint16 CCacheDb::CategoryIdOf(const QString& name) const {
    if (name == kNextCategory || name == kUnfiledCategory)
        return 0;
    return m_categories.value(name, 0);
}

QString CCacheDb::CategoryNameOf(quint16 id) const {
    if (id == 0)
        return kUnfiledCategory;
    for (auto it = m_categories.cbegin(); it != m_categories.cend(); ++it) {
        if (it.value() == id && it.key() != kNextCategory)
            return it.key();
    }
    return QString();
}

bool CCacheDb::AddCategory(const QString& name) {
    if (name.isEmpty() || name == kAllCategory || name == kUnfiledCategory ||
        m_categories.contains(name) || m_categories.size() >= kMaxCategoryEntries)
        return false;
    int candidate = m_categories.value(kNextCategory, 0);
    while (!CategoryNameOf(quint16(candidate)).isEmpty()) {
        ++candidate;
        if (candidate > kCategoryIdWrap)
            candidate = 1;
    }
    m_categories[name] = quint16(candidate);
    // The next id is kept to 16 bits; past 65535 the search starts again at 1 (a stored 0 would
    // be skipped at load and cost the database its categories).
    const quint16 next = quint16(candidate + 1);
    m_categories[kNextCategory] = next == 0 ? 1 : next;
    return true;
}

bool CCacheDb::RenameCategory(const QString& oldName, const QString& newName) {
    if (newName.isEmpty() || newName == kAllCategory || newName == kUnfiledCategory ||
        m_categories.contains(newName) || oldName == kNextCategory ||
        !m_categories.contains(oldName))
        return false;
    m_categories[newName] = m_categories.take(oldName);
    return true;
}

void CCacheDb::DeleteCategory(const QString& name) {
    // "_Next" is not a category: without it the next open would reset every category.
    if (name != kNextCategory)
        m_categories.remove(name);
}
