#pragma once

#include <QString>

// Receives one row of the record list query from CCacheDb::NextSummary: first every column of the
// row as name and text value (in the order the database returns them; a NULL value is the empty
// text), then every extra field of that record as key and value.
class CSummarySink {
public:
    virtual ~CSummarySink() = default;

    virtual void SetColumn(const QString& name, const QString& value) = 0;
    virtual void SetExtraField(const QString& key, const QString& value) = 0;
};
