#pragma once

#include <QString>

// The home folder holds every data file and folder that lives beside the program on a handheld:
// DB_Files, Plugins, VoiceNotes, the option list files, LogTemplate.txt, TravelBugs.db/.txt.
// It is resolved once, on first use:
//   1. the environment variable QUARRYBOOK_HOME when set;
//   2. otherwise the folder of the executable when a "DB_Files" folder exists there (portable);
//   3. otherwise the per-user data location (~/.local/share/Quarrybook), created when missing.

// The home folder without a trailing separator.
QString HomeFolder();
// The home folder with a trailing "/", the form the program folder is handed on in.
QString HomeFolderSlash();
// A path inside the home folder: HomePath("DB_Files") is "<home>/DB_Files".
QString HomePath(const QString& relative);
// True when the home folder is self-contained (QUARRYBOOK_HOME set, or portable mode): the
// settings file then lives in the home folder too.
bool HomeIsSelfContained();
// Forgets the resolved folder so that the next call resolves it again (tests change the
// environment between cases).
void ResetHomeFolder();
