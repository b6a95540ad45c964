#include "CTestHome.h"

#include "util/HomeFolder.h"

class HomeFolderTest : public CTestHome {};

TEST_F(HomeFolderTest, EnvironmentChoosesASelfContainedHome) {
    EXPECT_EQ(HomeFolder(), Home());
    EXPECT_EQ(HomeFolderSlash(), Home() + "/");
    EXPECT_EQ(HomePath("DB_Files"), Home() + "/DB_Files");
    EXPECT_TRUE(HomeIsSelfContained());
}

TEST_F(HomeFolderTest, WithoutEnvironmentTheUserDataFolderIsUsed) {
    const QByteArray saved = qgetenv("QUARRYBOOK_HOME");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qunsetenv("QUARRYBOOK_HOME");
    qputenv("XDG_DATA_HOME", Path("xdg").toLocal8Bit());
    ResetHomeFolder();
    EXPECT_EQ(HomeFolder(), Path("xdg/Quarrybook"));
    EXPECT_FALSE(HomeIsSelfContained());
    qputenv("QUARRYBOOK_HOME", saved);
    if (savedData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedData);
    ResetHomeFolder();
}
