#include "CPluginTestHome.h"

#include "db/CCacheRecord.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QVersionNumber>

namespace {

// The role table as "role/role byte/name/file", in registration order.
QStringList Table(CPluginMgr& mgr) {
    QStringList rows;
    for (const auto& entry : mgr.Entries()) {
        rows.append(QStringLiteral("%1/0x%2/%3/%4")
                        .arg(entry->role)
                        .arg(entry->roleByte, 2, 16, QLatin1Char('0'))
                        .arg(entry->name, entry->file));
    }
    return rows;
}

struct DiscoveryCase {
    const char* what;
    QStringList plugins;
    QStringList table;
};

class PluginDiscoveryTest : public CPluginTestHome {};

TEST_F(PluginDiscoveryTest, RegistersOnlyAcceptableLibrariesWithTheirRoles) {
    const QStringList good = {QStringLiteral("1/0x01/Good/tp_good.so")};
    const DiscoveryCase cases[] = {
        {"accepted", {"tp_good"}, good},
        {"version 1 accepted", {"tp_v1"}, {"2/0x02/Old/tp_v1.so"}},
        {"version 0", {"tp_good", "tp_v0"}, good},
        {"version 4", {"tp_good", "tp_v4"}, good},
        {"role byte 0x0A", {"tp_good", "tp_role0a"}, good},
        {"role byte 0x24 rejects the whole library", {"tp_good", "tp_role24"}, good},
        {"role number 0", {"tp_good", "tp_role00"}, good},
        {"empty name", {"tp_good", "tp_noname"}, good},
        {"role_count 0", {"tp_good", "tp_nocount"}, good},
        {"flags 2", {"tp_good", "tp_flags2"}, good},
        {"dependency check missing", {"tp_good", "tp_dep_missing"}, good},
        {"dependency check says 0", {"tp_good", "tp_dep_zero"}, good},
        {"dependency check passes", {"tp_dep_ok"}, {"3/0x03/Dep OK/tp_dep_ok.so"}},
        {"newer system required", {"tp_good", "tp_min_os"}, good},
        {"no QBEX_Info", {"tp_good", "tp_noinfo"}, good},
        {"first library of a name keeps the role, the second adds its other roles",
         {"tp_dup_b", "tp_dup_a"},
         {"1/0x01/Dup/tp_dup_a.so", "3/0x03/Dup/tp_dup_b.so"}},
        {"role 4 with the no-records bit also gives role 15",
         {"tp_calc14", "tp_calc04"},
         {"4/0x04/Calc Record/tp_calc04.so", "4/0x14/Calc Both/tp_calc14.so",
          "15/0x14/Calc Both/tp_calc14.so"}},
        {"role bytes from the last to the first",
         {"tp_script"},
         {"9/0x09/Script/tp_script.so", "8/0x18/Script/tp_script.so", "7/0x17/Script/tp_script.so",
          "6/0x16/Script/tp_script.so", "4/0x14/Script/tp_script.so", "15/0x14/Script/tp_script.so",
          "5/0x05/Script/tp_script.so", "3/0x03/Script/tp_script.so", "2/0x02/Script/tp_script.so",
          "1/0x01/Script/tp_script.so"}},
    };
    for (const DiscoveryCase& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(Path(QStringLiteral("Plugins"))).removeRecursively();
        QDir().mkpath(Path(QStringLiteral("Plugins")));
        for (const QString& plugin : c.plugins)
            InstallPlugin(plugin);
        mgr->Release();
        EXPECT_EQ(Table(*mgr), c.table);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PluginDiscoveryTest, SkipsFilesThatAreNotLibraries) {
    WriteFile(QStringLiteral("Plugins/readme.txt"), "not a library");
    WriteFile(QStringLiteral("Plugins/broken.so"), QByteArray("\x7f"
                                                              "ELF",
                                                              4) +
                                                       "garbage");
    QDir().mkpath(Path(QStringLiteral("Plugins/folder.so")));
    InstallPlugin(QStringLiteral("tp_good"));
    EXPECT_EQ(Table(*mgr), QStringList{"1/0x01/Good/tp_good.so"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PluginDiscoveryTest, EmptyOrMissingFolderOffersNoRole) {
    for (const bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing folder" : "empty folder");
        if (missing)
            QDir(Path(QStringLiteral("Plugins"))).removeRecursively();
        mgr->Release();
        for (int role = 0; role <= 16; ++role)
            EXPECT_EQ(mgr->CountForRole(role), 0) << role;
        EXPECT_EQ(mgr->Invoke(kRoleImportRecords), 0);
        EXPECT_EQ(dialogs.importCalls, 0);
    }
}

TEST_F(PluginDiscoveryTest, ScansOnceUntilReleased) {
    InstallPlugin(QStringLiteral("tp_good"));
    EXPECT_EQ(mgr->CountForRole(kRoleMapping), 1);
    InstallPlugin(QStringLiteral("tp_dup_a"));
    EXPECT_EQ(mgr->CountForRole(kRoleMapping), 1) << "the folder is scanned once";
    mgr->Release();
    EXPECT_EQ(mgr->CountForRole(kRoleMapping), 2) << "Release makes the next query scan again";
}

TEST_F(PluginDiscoveryTest, ReleaseWaitsWhileAPluginRuns) {
    InstallPlugin(QStringLiteral("tp_script"));
    int countDuringRun = -1;
    EXPECT_EQ(Run(kRoleMarkWaypoint,
                  [&](const QString&, QBEX_INVOKE*) {
                      mgr->Release();
                      countDuringRun = mgr->CountForRole(kRoleMarkWaypoint);
                      return 1;
                  }),
              1);
    EXPECT_EQ(countDuringRun, 1);
    EXPECT_FALSE(mgr->IsBusy());
}

TEST_F(PluginDiscoveryTest, RoleNamesAndVersionsGoFromTheLastRegisteredToTheFirst) {
    for (const char* plugin : {"tp_dup_a", "tp_dup_b", "tp_good", "tp_script", "tp_v1"})
        InstallPlugin(QString::fromLatin1(plugin));
    QStringList names{QStringLiteral("stale")};
    mgr->GetRoleNames(kRoleMapping, names);
    EXPECT_EQ(names, (QStringList{"Script", "Good", "Dup"}));
    mgr->GetRoleNames(kRoleExportRecord, names);
    EXPECT_EQ(names, (QStringList{"Script", "Dup"}));
    mgr->GetRoleNames(kRoleListCalculation, names);
    EXPECT_EQ(names, QStringList{"Script"});

    // "Dup" takes the version of tp_dup_b (none), whose entry was registered last.
    QMap<QString, QString> versions;
    mgr->GetVersions(versions);
    const QMap<QString, QString> expected{
        {"Dup", "???"}, {"Good", "2.5.1"}, {"Old", "???"}, {"Script", "???"}};
    EXPECT_EQ(versions, expected);

    EXPECT_EQ(mgr->FindEntry(kRoleExportRecord, QStringLiteral("Dup"))->file,
              QStringLiteral("tp_dup_b.so"));
    EXPECT_EQ(mgr->FindEntry(kRoleMapping, QStringLiteral("good")), nullptr) << "case counts";
    EXPECT_EQ(mgr->FindEntry(kRoleNavigation, QStringLiteral("Good")), nullptr);
}

TEST_F(PluginDiscoveryTest, HyperlinksPairCaptionAndNameOfThePluginsThatAccept) {
    for (const char* plugin : {"tp_link_a", "tp_link_b", "tp_link_none"})
        InstallPlugin(QString::fromLatin1(plugin));
    EXPECT_EQ(mgr->FindEntry(kRoleHyperlink, QStringLiteral("Linker C"))->linkCaption,
              QStringLiteral("Show in C"));

    CCacheRecord record;
    record.wpt = QStringLiteral("GC12345");
    QStringList links{QStringLiteral("stale")};
    mgr->GetHyperlinks(record, links);
    EXPECT_TRUE(links.isEmpty()) << qPrintable(links.join(u','));

    // The plug-ins accept a version 3 record whose custom3 (a version 3 field) is set.
    record.custom3 = QStringLiteral("x");
    mgr->GetHyperlinks(record, links);
    EXPECT_EQ(links, (QStringList{"Show in B", "Linker B", "Show in A", "Linker A"}));

    // A library that no longer loads is skipped.
    QFile::remove(Path(QStringLiteral("Plugins/tp_link_b.so")));
    mgr->GetHyperlinks(record, links);
    EXPECT_EQ(links, (QStringList{"Show in A", "Linker A"}));
}

TEST_F(PluginDiscoveryTest, HostVersionComesFromTheKernelRelease) {
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());
    EXPECT_EQ(CPluginMgr::HostOsVersion(),
              ((kernel.majorVersion() & 0xFF) << 8) | (kernel.minorVersion() & 0xFF));
}

} // namespace
