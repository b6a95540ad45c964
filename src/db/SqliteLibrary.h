#pragma once

// Sets up the SQLite library once for this process, before the first database is opened. Each
// database connection is used by one thread at a time, so the library's per-call locking and its
// memory statistics (a lock around every allocation) are switched off; both cost time on every
// statement and we never read the statistics. Safe to call any number of times; a library that
// was already started by someone else is left as it is.
void ConfigureSqliteLibrary();
