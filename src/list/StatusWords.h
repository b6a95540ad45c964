#pragma once

#include <QString>

class CRecordSummary;

// The meaning of the status icon that a cell of an icon column shows, as one word: "bug";
// "note", "found", "not-found" (the user's log); "owned", "found"; "bookmark"; "disabled". Empty
// when the cell shows no icon or the column is no icon column. The command-line tool prints these
// words, and the list window gives them to screen readers.
QString StatusIconWord(const CRecordSummary& summary, int kind);
