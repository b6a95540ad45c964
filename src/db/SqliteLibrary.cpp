#include "db/SqliteLibrary.h"

#include <sqlite3.h>

void ConfigureSqliteLibrary() {
    static const bool configured = [] {
        // Refused (harmlessly) when the library has already been initialised.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}
