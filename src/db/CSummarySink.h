#pragma once

#include <QString>

class CDbStatement;

// Receives one row of the record list query from CCacheDb::NextSummary: first every column of the
// row as name and text value (in the order the database returns them; a NULL value is the empty
// text), then every extra field of that record as key and value.
class CSummarySink {
public:
    virtual ~CSummarySink() = default;

    virtual void SetColumn(const QString& name, const QString& value) = 0;
    virtual void SetExtraField(const QString& key, const QString& value) = 0;
    // A sink that reads the row's columns itself (by index, with the statement's own number and
    // text conversions) takes the row here and returns true; SetColumn is then not called for
    // this row. The statement is valid during the call only. The default takes nothing.
    virtual bool TakeRow(const CDbStatement& row) {
        (void)row;
        return false;
    }
};
