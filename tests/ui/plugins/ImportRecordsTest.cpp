// Import Records from the list window: the import dialog, then the shipped GPX import plug-in
// reading a file into the database the dialog chose, then the list showing the new records.
#include "CAppTestHome.h"

#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "ui/framework/CModalRunner.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListView.h"
#include "ui/plugins/CImportOptionPage.h"
#include "ui/plugins/CImportRecsDlg.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

// Two caches, the second one found by the user.
const QByteArray kGpx = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx xmlns="http://www.topografix.com/GPX/1/0" version="1.0" creator="test">
  <wpt lat="48.137" lon="11.576">
    <name>GC11111</name><sym>Geocache</sym><type>Geocache|Traditional Cache</type>
    <groundspeak:cache id="1" available="True" archived="False"
        xmlns:groundspeak="http://www.groundspeak.com/cache/1/0/1">
      <groundspeak:name>Quarry Rim</groundspeak:name>
      <groundspeak:type>Traditional Cache</groundspeak:type>
    </groundspeak:cache>
  </wpt>
  <wpt lat="48.201" lon="11.602">
    <name>GC22222</name><sym>Geocache Found</sym><type>Geocache|Traditional Cache</type>
    <groundspeak:cache id="2" available="True" archived="False"
        xmlns:groundspeak="http://www.groundspeak.com/cache/1/0/1">
      <groundspeak:name>Old Kiln</groundspeak:name>
      <groundspeak:type>Traditional Cache</groundspeak:type>
    </groundspeak:cache>
  </wpt>
</gpx>
)";

// Hands the plug-in its files, as a user would pick them, for the duration of a test.
class FilesForPlugins {
public:
    explicit FilesForPlugins(const QString& path) {
        qputenv("QUARRYBOOK_FILES", path.toLocal8Bit());
    }
    ~FilesForPlugins() { qunsetenv("QUARRYBOOK_FILES"); }
};

using ImportRecordsTest = CAppTestHome;

TEST_F(ImportRecordsTest, ImportRecordsRunsTheChosenPluginAndTheListShowsItsRecords) {
    QDir().mkpath(Path(QStringLiteral("Plugins")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QB_GPX_IMPORT_PLUGIN),
                            Path(QStringLiteral("Plugins/gpx_import.so"))));
    WriteFile(QStringLiteral("caches.gpx"), kGpx);
    const FilesForPlugins files(Path(QStringLiteral("caches.gpx")));
    Start();
    AddRecord({QStringLiteral("Kept")});
    View()->ChooseCategory(0, QStringLiteral("All"));
    View()->Reload();
    Frame()->UpdateCommandStates();
    ASSERT_TRUE(Frame()->Action(CommandId::ImportRecords)->isEnabled());

    CModalRunner::ScriptAs<CImportRecsDlg>([](CImportRecsDlg& sheet) {
        EXPECT_EQ(sheet.OptionPage()->PluginList()->currentText(), QStringLiteral("GPX Import"));
        EXPECT_EQ(sheet.OptionPage()->DatabaseList()->currentText(), QStringLiteral("Default"));
        sheet.StartButton()->click();
    });
    Frame()->RunCommand(CommandId::ImportRecords);

    QStringList rows = RowNames();
    rows.sort();
    EXPECT_EQ(rows, QStringList({"Kept", "Old Kiln", "Quarry Rim"}));
    EXPECT_TRUE(ui.messages.empty()) << ui.Texts().join(u'\n').toStdString();
    // The found cache went to the found category the dialog routed it to.
    for (int row = 0; row < View()->List().VisibleCount(); ++row) {
        const CRecordSummary* summary = View()->List().VisibleAt(row);
        SCOPED_TRACE(summary->name.toStdString());
        EXPECT_EQ(summary->cid, summary->name == QStringLiteral("Old Kiln")
                                    ? Db()->CategoryIdOf(QStringLiteral("Found"))
                                    : quint16(0));
    }
}

} // namespace
