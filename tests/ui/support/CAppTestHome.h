#pragma once

#include "CGuiTestHome.h"

#include "app/CGlobalObjects.h"
#include "db/CCacheRecord.h"

#include <QAbstractItemModelTester>
#include <QString>

#include <memory>

class CCacheDb;
class CMainApp;
class CMainFrame;
class CRecListView;

// A whole program in a fresh home folder: the global objects, start-up with the main window and
// its deferred start-up, and shut-down at the end of the test. The screen counts as 96 dots per
// inch unless the test says otherwise before Start.
class CAppTestHome : public CGuiTestHome {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the global objects and runs start-up with the command line; returns when the list
    // window's deferred start-up has run.
    void Start(const QString& commandLine = QString());
    // Shut-down: the main window goes (storing its category), then the files are closed and the
    // settings saved, then the global objects.
    void Stop();

    CMainFrame* Frame() const;
    CRecListView* View() const;
    CCacheDb* Db() const;

    // A record in the open database; the list is not reloaded.
    struct Rec {
        QString name{};
        QString wpt{};
        quint16 cid = 0;
        quint32 flags = 0;
        double lat = 200.0;
        double lon = 200.0;
    };
    quint32 AddRecord(const Rec& rec);
    // Adds a category to the open database and returns its id.
    quint16 AddCategory(const QString& name);
    // The names of the rows, top to bottom.
    QStringList RowNames() const;
    // Lets the list window's timer run `ticks` times.
    void RunTimer(int ticks);

    std::unique_ptr<CGlobalObjects> globals;
    // Checks the list window's table model at every change while the program runs.
    std::unique_ptr<QAbstractItemModelTester> modelTester;
};
