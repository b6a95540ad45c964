#include "CGuiTestHome.h"
#include "ui/framework/CModalRunner.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>

// Receives the URLs the desktop would open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

namespace {

class QtUserInterfaceTest : public CGuiTestHome {
protected:
    void SetUp() override {
        CGuiTestHome::SetUp();
        UseQtUserInterface();
    }
};

TEST_F(QtUserInterfaceTest, MessageBoxShowsIconAndButtonsAndReturnsTheAnswer) {
    struct Case {
        MsgIcon icon;
        MsgButtons buttons;
        QMessageBox::Icon boxIcon;
        QMessageBox::StandardButtons boxButtons;
        QMessageBox::StandardButton press; // NoButton: the box is closed without a button
        MsgAnswer answer;
    };
    const Case cases[] = {
        {MsgIcon::Stop, MsgButtons::Ok, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
         MsgAnswer::Ok},
        {MsgIcon::Exclamation, MsgButtons::OkCancel, QMessageBox::Warning,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, MsgAnswer::Cancel},
        {MsgIcon::Information, MsgButtons::Ok, QMessageBox::Information, QMessageBox::Ok,
         QMessageBox::NoButton, MsgAnswer::Ok},
        {MsgIcon::Question, MsgButtons::YesNo, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, MsgAnswer::Yes},
        {MsgIcon::Question, MsgButtons::YesNo, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, MsgAnswer::No},
        {MsgIcon::Question, MsgButtons::YesNoCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No, MsgAnswer::No},
        {MsgIcon::Question, MsgButtons::YesNoCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton,
         MsgAnswer::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "icon " << int(c.icon) << ", buttons " << int(c.buttons)
                                        << ", press " << int(c.press));
        CModalRunner::ScriptAs<QMessageBox>([&c](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Quarrybook"));
            EXPECT_EQ(box.text(), QStringLiteral("Some text."));
            EXPECT_EQ(box.icon(), c.boxIcon);
            EXPECT_EQ(box.standardButtons(), c.boxButtons);
            if (c.press == QMessageBox::NoButton)
                box.reject();
            else
                box.button(c.press)->click();
        });
        EXPECT_EQ(ShowMessage(QStringLiteral("Some text."), c.icon, c.buttons), c.answer);
    }
}

TEST_F(QtUserInterfaceTest, AnswerMessageChecksTheTextAndPressesTheButton) {
    CModalRunner::AnswerMessage(QStringLiteral("Delete the selected record?"), QMessageBox::No);
    CModalRunner::AnswerMessage(QMessageBox::Yes);
    EXPECT_FALSE(AskYesNo(QStringLiteral("Delete the selected record?")));
    EXPECT_TRUE(AskYesNo(QStringLiteral("Clear all bookmarks in current database?")));
}

TEST_F(QtUserInterfaceTest, ScriptFaultsAreReportedAndNeverBlock) {
    QStringList faults;
    const auto previous =
        CModalRunner::SetFailureHandler([&faults](const QString& message) { faults << message; });

    struct Case {
        const char* name;
        std::function<void()> script;
        const char* fault;
    };
    const Case cases[] = {
        {"no step", [] {}, "without a scripted step"},
        {"step leaves it open", [] { CModalRunner::Script([](QDialog&) {}); },
         "still open after its scripted steps"},
        {"step for another class",
         [] { CModalRunner::ScriptAs<QMessageBox>([](QMessageBox& box) { box.accept(); }); },
         "expected a QMessageBox"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        faults.clear();
        c.script();
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Lonely"));
        EXPECT_EQ(CModalRunner::Run(dialog), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        ASSERT_EQ(faults.size(), 1);
        EXPECT_TRUE(faults[0].contains(QLatin1String(c.fault))) << faults[0].toStdString();
        EXPECT_TRUE(faults[0].contains(QStringLiteral("\"Lonely\""))) << faults[0].toStdString();
    }
    CModalRunner::SetFailureHandler(previous);
}

TEST_F(QtUserInterfaceTest, StepsRunUntilTheDialogEndsAndSeeItsFields) {
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    CModalRunner::Script(
        [](QDialog& d) { d.findChild<QLineEdit*>()->setText(QStringLiteral("x")); });
    CModalRunner::Script([](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        d.accept();
    });
    EXPECT_EQ(CModalRunner::Run(dialog), QDialog::Accepted);
    EXPECT_EQ(field->text(), QStringLiteral("x"));

    // A dialog that ends itself while opening needs no step.
    QDialog closing;
    QMetaObject::invokeMethod(&closing, &QDialog::accept, Qt::QueuedConnection);
    EXPECT_EQ(CModalRunner::Run(closing), QDialog::Accepted);
}

TEST_F(QtUserInterfaceTest, WaitCursorNestsAndStepsAsideForMessages) {
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

        CModalRunner::ScriptAs<QMessageBox>([](QMessageBox& box) {
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
            box.accept();
        });
        ShowError(QStringLiteral("Error moving record."));
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(qtUi.WaitCursorDepth(), 0);
}

TEST_F(QtUserInterfaceTest, ShellOpenHandsRecordLinksToTheProgramAndTheRestToTheDesktop) {
    UrlRecorder desktop;
    const QStringList schemes = {QStringLiteral("qbook"), QStringLiteral("https"),
                                 QStringLiteral("mailto"), QStringLiteral("file")};
    for (const QString& scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &desktop, "Open");

    // Without a handler a record link goes to the desktop, which hands it to the running program.
    EXPECT_TRUE(qtUi.ShellOpen(QStringLiteral("qbook:GC12ABC")));

    QStringList links;
    qtUi.SetRecordLinkHandler([&links](const QString& link) { links << link; });
    EXPECT_TRUE(qtUi.ShellOpen(QStringLiteral("qbook:GC1X2Y3")));
    EXPECT_TRUE(qtUi.ShellOpen(QStringLiteral("https://quarrybook.invalid/x?y=1")));
    EXPECT_TRUE(qtUi.ShellOpen(QStringLiteral("mailto:support@quarrybook.invalid")));
    EXPECT_TRUE(qtUi.ShellOpen(Path(QStringLiteral("TravelBugs.txt"))));

    for (const QString& scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);

    EXPECT_EQ(links, QStringList{QStringLiteral("qbook:GC1X2Y3")});
    ASSERT_EQ(desktop.urls.size(), 4);
    EXPECT_EQ(desktop.urls[0], QUrl(QStringLiteral("qbook:GC12ABC")));
    EXPECT_EQ(desktop.urls[1], QUrl(QStringLiteral("https://quarrybook.invalid/x?y=1")));
    EXPECT_EQ(desktop.urls[2], QUrl(QStringLiteral("mailto:support@quarrybook.invalid")));
    EXPECT_EQ(desktop.urls[3], QUrl::fromLocalFile(Path(QStringLiteral("TravelBugs.txt"))));
}

} // namespace

#include "QtUserInterfaceTest.moc"
