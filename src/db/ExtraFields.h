#pragma once

#include "db/CCacheRecord.h"

#include <QChar>
#include <QString>

// The extra-field text of t_extra.info: items of key, U+0001, value, U+0002.
inline constexpr QChar kExtraKeySeparator = QChar(0x0001);
inline constexpr QChar kExtraItemEnd = QChar(0x0002);

// Calls `f(key, value)` for every item of an extra-field text, in order. Text after the last
// U+0002 is ignored, as are items without a key; a value may itself contain U+0001.
template <typename F> void ForEachExtraField(const QString& info, F f) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = info.indexOf(kExtraItemEnd, start);
        if (end < 0)
            return;
        const qsizetype sep = info.indexOf(kExtraKeySeparator, start);
        if (sep > start && sep < end)
            f(info.mid(start, sep - start), info.mid(sep + 1, end - sep - 1));
        start = end + 1;
    }
}

// Sets the record's field named by `key` when it is one of the four extra fields.
void SetExtraField(CCacheRecord& record, const QString& key, const QString& value);

// The extra-field text of a record: "custom1", "custom2", "custom3", "find_rat" in this order,
// each only when not empty. Every U+0002 is first removed from the record's values.
QString BuildExtraFields(CCacheRecord& record);
