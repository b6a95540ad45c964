#include "ui/framework/ApplicationSetup.h"

#include "ui/framework/CAccessibleApplication.h"
#include "ui/framework/edit/CEditMenu.h"

void SetUpApplication() {
    CAccessibleApplication::Install();
    CEditMenu::InstallForApplication();
}
