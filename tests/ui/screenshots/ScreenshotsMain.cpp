// Draws the windows of the dialog framework offscreen and saves them as PNG files, for the
// documentation: qb_screenshots <folder> <suffix>. Run it once with QT_SCALE_FACTOR=1 and once
// with QT_SCALE_FACTOR=2 (96 and 192 dots per inch); it is not part of the test run.

#include "settings/CAppSettings.h"
#include "ui/framework/ApplicationSetup.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CEditNameDlg.h"
#include "ui/framework/edit/CMenuTextEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
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
    CAppSettings settings;
    settings.LoadSettings();
    CAppSettings::SetGlobal(&settings);
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
    CAppSettings::SetGlobal(nullptr);
    return 0;
}
