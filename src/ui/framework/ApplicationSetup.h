#pragma once

// Sets up what the whole widget layer relies on, once the application object exists and before
// the first window: the program's Edit menu on every text field, and the accessibility root that
// lists open pop-up menus. The program and the widget tests both call it.
void SetUpApplication();
