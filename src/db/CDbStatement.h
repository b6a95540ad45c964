#pragma once

#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement of a record database. It is finalised when the object is destroyed or
// given another statement, so no statement outlives its reader. Prepared by CCacheDb::Execute.
class CDbStatement {
public:
    enum class Step { Row, Done, Error };

    CDbStatement() = default;
    ~CDbStatement();
    CDbStatement(CDbStatement&& other) noexcept;
    CDbStatement& operator=(CDbStatement&& other) noexcept;
    CDbStatement(const CDbStatement&) = delete;
    CDbStatement& operator=(const CDbStatement&) = delete;

    bool IsValid() const { return m_stmt != nullptr; }
    // Finalises the statement (if any).
    void Finalize();

    // The next row, the end of the rows or an error. At the end or on an error the statement is
    // reset, so that it holds no lock on the file, and keeps answering the same until Reset or
    // a new binding.
    Step Next();
    // Back to before the first row (keeps bound values).
    void Reset();
    // Resets the statement and binds a whole number to the parameter `index` (1-based).
    bool BindInt64(int index, qint64 value);

    // The current row: the number of columns, a column's name and its value.
    int ColumnCount() const;
    const char* ColumnName(int column) const;
    bool IsNull(int column) const;
    // Text through the database's lenient UTF-8 decoder; NULL gives the empty text.
    QString Text(int column) const;
    // Numbers by the database's own conversion (a text is read from its leading digits).
    qint64 Int64(int column) const;
    double Double(int column) const;

    // For CCacheDb: adopts a freshly prepared statement.
    void Adopt(sqlite3_stmt* stmt);

private:
    sqlite3_stmt* m_stmt = nullptr;
    bool m_ended = false; // the rows have ended (m_endStep) since the last reset
    Step m_endStep = Step::Done;
};
