#include "ui/framework/ApplicationSetup.h"

#include "ui/framework/CAccessibleApplication.h"
#include "ui/framework/CEditMenu.h"

void SetUpApplication() {
    CAccessibleApplication::Install();
    CEditMenu::InstallForApplication();
}
