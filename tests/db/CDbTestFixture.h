#pragma once

#include "CTestHome.h"

#include "db/CCacheDb.h"
#include "util/CVoiceNotes.h"

#include <QDir>
#include <QStringList>

#include <memory>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A fresh home folder with DB_Files, a voice-note recorder and the database "Test" open in it.
class CDbTestFixture : public CTestHome {
protected:
    void SetUp() override {
        CTestHome::SetUp();
        QDir().mkpath(Path(QStringLiteral("DB_Files")));
        m_notes = std::make_unique<CVoiceNotes>();
        CVoiceNotes::SetGlobal(m_notes.get());
        ASSERT_TRUE(db.Open(DbPath(QStringLiteral("Test")), QStringLiteral("Test")));
        ui.Clear();
        ui.waitCursorShown = 0;
    }

    void TearDown() override {
        db.Close();
        CVoiceNotes::SetGlobal(nullptr);
        m_notes.reset();
        CTestHome::TearDown();
    }

    QString DbPath(const QString& name) const { return Path(QStringLiteral("DB_Files/") + name); }

    // Every row of a query on `on`, each row's values joined by "|" (NULL shows as "<null>").
    static QStringList Rows(CCacheDb& on, const QString& sql) {
        QStringList rows;
        CDbStatement stmt;
        if (!on.Execute(sql, stmt))
            return {QStringLiteral("<error>")};
        while (stmt.Next() == CDbStatement::Step::Row) {
            QStringList values;
            for (int c = 0; c < stmt.ColumnCount(); ++c)
                values.append(stmt.IsNull(c) ? QStringLiteral("<null>") : stmt.Text(c));
            rows.append(values.join(QLatin1Char('|')));
        }
        return rows;
    }
    QStringList Rows(const QString& sql) { return Rows(db, sql); }
    QString Value(const QString& sql) {
        const QStringList rows = Rows(sql);
        return rows.isEmpty() ? QStringLiteral("<none>") : rows.first();
    }

    CCacheDb db;

private:
    std::unique_ptr<CVoiceNotes> m_notes;
};
