#pragma once

#include <QString>

// The log template: "LogTemplate.txt" in the home folder, read at every use so that the user's
// edits to the file take effect at once. A missing or empty file is written with the default
// template (four lines "Took: ", "Left: ", "Took TB: ", "Left TB: ", each ended by "\r\n").
//
// Variables replaced in the template, in this order:
//   "%fcount%"  the find number when the expansion counts a find, otherwise nothing;
//   "%date%"    today's date in the locale's short date format;
//   "%time%"    the current time in the locale's short time format.
//
// Counting a find takes the number from the setting "FoundCount" of the global CAppSettings,
// counts the setting up by one and saves the settings at once. Without counting, the settings are
// not touched (start-up expands the template before the settings are loaded, to create the file).
QString ExpandLogTemplate(bool countsFind);

// The template written when the file is missing or empty.
extern const QString kDefaultLogTemplate;

// The question "Log Template" asks when the notes are not empty.
extern const QString kPrependTemplateQuestion;

// The "Log Template" command of the log notes: expands the template (counting a find when
// `countsFind` is set) and puts it into `notes`. Empty notes become the template; otherwise the
// user is asked kPrependTemplateQuestion: Yes puts the template directly before the notes, No
// after them with "\r\n" between, Cancel keeps the notes. Returns false for Cancel, with `result`
// untouched; a counted find number is used up all the same, as the template was already expanded.
bool InsertLogTemplate(const QString& notes, bool countsFind, QString& result);

// The "Auto Insert" command: turns "AutoInsLogTmpl" over and saves the settings at once. Returns
// the new state.
bool ToggleAutoInsertLogTemplate();
