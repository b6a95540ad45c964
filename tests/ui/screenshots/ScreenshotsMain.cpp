// Draws windows of the program offscreen and saves them as PNG files, for the
// documentation: qb_screenshots <folder> <suffix>. Run it once with QT_SCALE_FACTOR=1 and once
// with QT_SCALE_FACTOR=2 (96 and 192 dots per inch); it is not part of the test run.

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "db/CCacheRecord.h"
#include "plugins/CCoreObjects.h"
#include "settings/CAppSettings.h"
#include "ui/framework/ApplicationSetup.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CEditNameDlg.h"
#include "ui/framework/edit/CMenuTextEdit.h"
#include "ui/recordview/CRecViewWnd.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("QUARRYBOOK_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: qb_screenshots <folder> <suffix>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString suffix = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);
    SetUpApplication();
    CCoreObjects core;
    core.Settings().LoadSettings();
    CModalRunner::SetScripted(true);
    auto save = [&](QWidget& widget, const char* name) {
        const QString path = folder + QStringLiteral("/%1-%2.png").arg(QLatin1String(name), suffix);
        if (!widget.grab().save(path))
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    };

    // "Edit Name" with a name typed in.
    CModalRunner::Script([&](QDialog& dialog) {
        save(dialog, "edit-name");
        dialog.reject();
    });
    QString name = QStringLiteral("Found Caches");
    CEditNameDlg::Run(name);

    // The log notes with the extended Edit menu open over them.
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(new QLabel(QStringLiteral("Log notes:"), &page));
    auto* notes = new CMenuTextEdit(&page);
    notes->SetExtended(true);
    notes->SetText(QStringLiteral("Took: nothing\r\nLeft: a pencil\r\nTFTC!"));
    notes->selectAll();
    layout->addWidget(notes);
    page.resize(320, 220);
    page.show();
    QApplication::processEvents();
    save(page, "log-notes");
    CModalRunner::ScriptMenu([&](QMenu& menu) {
        save(menu, "edit-menu");
        return nullptr;
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(40, 40),
                            notes->viewport()->mapToGlobal(QPoint(40, 40)));
    QApplication::sendEvent(notes->viewport(), &event);

    // The record view of a cache with logs, images and a related waypoint.
    CCacheDb* db = CCacheDbManager::Global().OpenDb(QStringLiteral("Screens"));
    if (!db)
        return 1;
    CCacheRecord parking;
    parking.wpt = QStringLiteral("PK2M4Q");
    parking.name = QStringLiteral("Parking at the quarry gate");
    db->SaveRecord(parking, true);
    CCacheRecord cache;
    cache.wpt = QStringLiteral("GC2M4Q");
    cache.name = QStringLiteral("Old Quarry Rim");
    cache.rtype = QStringLiteral("Traditional Cache");
    cache.cont = QStringLiteral("Regular");
    cache.owner = QStringLiteral("Stonecutter");
    cache.diff = QStringLiteral("2");
    cache.terr = QStringLiteral("3.5");
    cache.lat = 47.6097;
    cache.lon = -122.3331;
    cache.url = QStringLiteral("https://coord.info/GC2M4Q");
    cache.descr = QStringLiteral("A walk along the rim of the old quarry.\r\nMind the edge "
                                 "after rain; the path is steep in places.");
    cache.hints = QStringLiteral("Haqre gur syng fgbar ol gur orapu");
    QStringList logs;
    for (int i = 0; i < 3; ++i)
        logs << QStringLiteral("2026-0%1-12").arg(i + 3) << QStringLiteral("Walker %1").arg(i)
             << QStringLiteral("Found it") << QStringLiteral("Lovely view, gunaxf!\r\nTFTC");
    cache.past_log = logs.join(QChar(0x0001));
    cache.img_urls = QStringList({QStringLiteral("https://img.example.org/rim.jpg"),
                                  QStringLiteral("https://img.example.org/gate.jpg")})
                         .join(QChar(0x0001));
    db->SaveRecord(cache, true);
    {
        CRecViewWnd view(*db, cache);
        view.resize(420, 560);
        view.show();
        QApplication::processEvents();
        save(view, "record-view-main");
        view.ActivateLink(QStringLiteral("qbhv:log0"));
        QApplication::processEvents();
        save(view, "record-view-log");
        view.ActivateLink(QStringLiteral("qbhv:images"));
        QApplication::processEvents();
        save(view, "record-view-images");
    }
    CCacheDbManager::Global().ReleaseDb(db);
    return 0;
}
