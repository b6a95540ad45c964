#include "CAppTestHome.h"

#include "app/CGlobalObjects.h"
#include "app/CMainApp.h"
#include "db/CCacheDb.h"
#include "list/CRecordList.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListModel.h"
#include "ui/list/CRecListView.h"

#include <QAbstractItemModelTester>
#include <QTest>

void CAppTestHome::SetUp() {
    CGuiTestHome::SetUp();
    SetScreenDpi(96, 96);
}

void CAppTestHome::TearDown() {
    Stop();
    ForgetScreenDpi();
    CGuiTestHome::TearDown();
}

void CAppTestHome::Start(const QString& commandLine) {
    globals = std::make_unique<CGlobalObjects>();
    ASSERT_TRUE(globals->App().InitInstance(commandLine));
    ASSERT_TRUE(QTest::qWaitFor([this] { return View()->StartupDone(); }, 10000));
    modelTester = std::make_unique<QAbstractItemModelTester>(
        View()->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
}

void CAppTestHome::Stop() {
    modelTester.reset();
    if (!globals)
        return;
    globals->App().DestroyMainFrame();
    globals->App().ExitInstance();
    globals.reset();
}

CMainFrame* CAppTestHome::Frame() const {
    return globals->App().MainFrame();
}

CRecListView* CAppTestHome::View() const {
    return Frame()->ListView();
}

CCacheDb* CAppTestHome::Db() const {
    return View()->Database();
}

quint32 CAppTestHome::AddRecord(const Rec& rec) {
    CCacheRecord record;
    record.name = rec.name;
    record.wpt = rec.wpt.isEmpty() ? rec.name : rec.wpt;
    record.cid = rec.cid;
    record.flags = rec.flags;
    record.lat = rec.lat;
    record.lon = rec.lon;
    EXPECT_TRUE(Db()->SaveRecord(record, true));
    return record.id;
}

quint16 CAppTestHome::AddCategory(const QString& name) {
    EXPECT_TRUE(Db()->AddCategory(name));
    EXPECT_TRUE(Db()->SaveCategories());
    return Db()->CategoryIdOf(name);
}

QStringList CAppTestHome::RowNames() const {
    QStringList names;
    const CRecordList& list = View()->List();
    for (int row = 0; row < list.VisibleCount(); ++row)
        names << list.VisibleAt(row)->name;
    return names;
}

void CAppTestHome::RunTimer(int ticks) {
    for (int i = 0; i < ticks; ++i)
        View()->OnTimer();
}
