#include "db/CDbStatement.h"

#include "util/TextHelpers.h"

#include <sqlite3.h>

#include <utility>

CDbStatement::~CDbStatement() {
    Finalize();
}

CDbStatement::CDbStatement(CDbStatement&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_ended(other.m_ended),
      m_endStep(other.m_endStep) {}

CDbStatement& CDbStatement::operator=(CDbStatement&& other) noexcept {
    if (this != &other) {
        Finalize();
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_ended = other.m_ended;
        m_endStep = other.m_endStep;
    }
    return *this;
}

void CDbStatement::Finalize() {
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    m_ended = false;
}

void CDbStatement::Adopt(sqlite3_stmt* stmt) {
    Finalize();
    m_stmt = stmt;
}

CDbStatement::Step CDbStatement::Next() {
    if (!m_stmt)
        return Step::Error;
    if (m_ended)
        return m_endStep;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return Step::Row;
    sqlite3_reset(m_stmt);
    m_ended = true;
    m_endStep = rc == SQLITE_DONE ? Step::Done : Step::Error;
    return m_endStep;
}

void CDbStatement::Reset() {
    if (m_stmt)
        sqlite3_reset(m_stmt);
    m_ended = false;
}

bool CDbStatement::BindInt64(int index, qint64 value) {
    Reset();
    return m_stmt && sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK;
}

int CDbStatement::ColumnCount() const {
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

const char* CDbStatement::ColumnName(int column) const {
    const char* name = m_stmt ? sqlite3_column_name(m_stmt, column) : nullptr;
    return name ? name : "";
}

bool CDbStatement::IsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString CDbStatement::Text(int column) const {
    const char* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    if (!bytes)
        return QString();
    // Plain ASCII up to the end or the first zero byte, the usual case, reads the same through
    // the lenient decoder; it is taken over directly.
    const int size = sqlite3_column_bytes(m_stmt, column);
    int ascii = 0;
    while (ascii < size && static_cast<unsigned char>(bytes[ascii]) - 1u < 0x7Fu)
        ++ascii;
    if (ascii == size || bytes[ascii] == 0)
        return ascii == 0 ? QString() : QString::fromLatin1(bytes, ascii);
    return FromUtf8(bytes);
}

qint64 CDbStatement::Int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double CDbStatement::Double(int column) const {
    return sqlite3_column_double(m_stmt, column);
}
