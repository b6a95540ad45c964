#include "list/StatusWords.h"

#include "db/CCacheRecord.h"
#include "list/CListColumns.h"
#include "list/CRecordList.h"
#include "list/CRecordSummary.h"

QString StatusIconWord(const CRecordSummary& s, int kind) {
    switch (kind) {
    case kKindBug:
        return (s.flags & kFlagBugs) ? QStringLiteral("bug") : QString();
    case kKindNotes:
        switch (s.log_type) {
        case 1:
            return QStringLiteral("note");
        case 2:
            return QStringLiteral("found");
        case 3:
            return QStringLiteral("not-found");
        default:
            return QString();
        }
    case kKindFound:
        if (CRecordList::IsOwned(s))
            return QStringLiteral("owned");
        return (s.flags & kFlagFound) ? QStringLiteral("found") : QString();
    case kKindBookmark:
        return (s.flags & kFlagBookmarked) ? QStringLiteral("bookmark") : QString();
    case kKindDisabled:
        return (s.flags & kFlagDisabled) ? QStringLiteral("disabled") : QString();
    default:
        return QString();
    }
}
