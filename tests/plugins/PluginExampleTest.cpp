#include "CPluginTestHome.h"

#include <QFile>

namespace {

class PluginExampleTest : public CPluginTestHome {};

// The SDK's example import plug-in found in the folder, importing through add_record, and its
// records read back through get_record by another plug-in.
TEST_F(PluginExampleTest, ExampleImportPluginImportsItsRecords) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QB_EXAMPLE_PLUGIN),
                            Path(QStringLiteral("Plugins/minimal_import.so"))));
    InstallPlugin(QStringLiteral("tp_script"));

    QStringList names;
    mgr->GetRoleNames(kRoleImportRecords, names);
    EXPECT_EQ(names, (QStringList{"Script", "Minimal Import"}));
    const CPluginInfo* entry = mgr->FindEntry(kRoleImportRecords, QStringLiteral("Minimal Import"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->version, QStringLiteral("1.0.0"));
    EXPECT_EQ(entry->file, QStringLiteral("minimal_import.so"));

    dialogs.plugin = QStringLiteral("Minimal Import");
    dialogs.impDatabase = QStringLiteral("Samples");
    EXPECT_EQ(mgr->Invoke(kRoleImportRecords), 1);
    EXPECT_TRUE(mgr->TakeChanged());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(
        Rows(QStringLiteral("Samples"),
             QStringLiteral("select wpt, rtype, cont, diff from t_main order by id")),
        (QStringList{"QB0001|Traditional Cache|Small|1.5", "QB0002|Multi-cache|Regular|1.5"}));

    // Read back through get_record.
    mgr->ResetQueue();
    for (const QString& id :
         Rows(QStringLiteral("Samples"), QStringLiteral("select id from t_main order by id")))
        mgr->QueueId(id.toUInt());
    settings->m_database = QStringLiteral("Samples");
    dialogs.plugin = QStringLiteral("Script");
    QStringList fetched;
    EXPECT_EQ(Run(kRoleExportRecords,
                  [&](const QString&, QBEX_INVOKE* invoke) {
                      CPluginRecordBlock record(3);
                      while (invoke->get_record(record.get())) {
                          fetched.append(record.Get(&QBEX_RECORD::name) + u'|' +
                                         QString::number(record->lat, 'f', 6) + u'|' +
                                         record.Get(&QBEX_RECORD::descr));
                      }
                      return 1;
                  }),
              1);
    EXPECT_EQ(fetched, (QStringList{
                           "Quarry Lookout|48.137154|A short walk to the old quarry's edge.",
                           QStringLiteral("Über den Steinbruch|48.140000|Zwei Stationen am "
                                          "Steinbruch."),
                       }));
}

} // namespace
