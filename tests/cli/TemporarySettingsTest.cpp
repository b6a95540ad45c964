// Settings a command changes for its run stay out of the store, even when something saves them.

#include "CCliTestHome.h"

#include "cli/CTemporarySettings.h"
#include "settings/CAppSettings.h"
#include "settings/CSettingsStore.h"

class TemporarySettingsTest : public CCliTestHome {};

TEST_F(TemporarySettingsTest, ASaveDuringTheRunIsUndoneForTheRunsValuesOnly) {
    WriteFile(QStringLiteral("Quarrybook.ini"),
              "[Plugins]\nRole7=Kept Import\nImpMerge=1\n[ListView]\nMatchText=\n");
    CAppSettings settings;
    CAppSettings::SetGlobal(&settings);
    settings.LoadSettings();
    {
        CTemporarySettings scope;
        settings.SetRolePlugin(7, QStringLiteral("Run Import"));
        settings.SetRolePlugin(5, QStringLiteral("Run Export"));
        settings.m_impMerge = 0;
        settings.m_filterType = QStringLiteral("Multi-cache");
        settings.SaveSettings();
        // Another program stores a value meanwhile.
        CSettingsStore(CSettingsStore::DefaultPath())
            .WriteText(QStringLiteral("ListView"), QStringLiteral("MatchText"),
                       QStringLiteral("mill"));
    }
    EXPECT_EQ(settings.GetRolePlugin(7), QStringLiteral("Kept Import"));
    EXPECT_EQ(settings.GetRolePlugin(5), QString());
    EXPECT_EQ(settings.m_impMerge, 1);
    EXPECT_EQ(settings.m_filterType, QString());

    const CSettingsStore store;
    struct Case {
        const char* section;
        const char* name;
        const char* text; // null: absent
    };
    const Case cases[] = {
        {"Plugins", "Role7", "Kept Import"}, {"Plugins", "Role5", nullptr},
        {"Plugins", "ImpMerge", "1"},        {"ListView", "FilterType", nullptr},
        {"ListView", "MatchText", "mill"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString section = QString::fromUtf8(c.section);
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(store.HasValue(section, name), c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(store.ReadText(section, name), QString::fromUtf8(c.text));
        }
    }
    CAppSettings::SetGlobal(nullptr);
}
