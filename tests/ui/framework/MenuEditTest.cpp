#include "AccessibleTree.h"
#include "CGuiTestHome.h"

#include "editors/LogTemplate.h"
#include "settings/CAppSettings.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/edit/CEditNameDlg.h"
#include "ui/framework/edit/CMenuEdit.h"
#include "ui/framework/edit/CMenuTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTapAndHoldGesture>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class MenuEditTest : public CGuiTestHome {
protected:
    void SetUp() override {
        CGuiTestHome::SetUp();
        settings.LoadSettings();
        CAppSettings::SetGlobal(&settings);
    }
    void TearDown() override {
        CAppSettings::SetGlobal(nullptr);
        CGuiTestHome::TearDown();
    }

    // Asks the field for its context menu as a right click (or the menu key) does; the event
    // goes where Qt sends it, the viewport of a multi-line field.
    static void RequestMenu(QWidget* field, QContextMenuEvent::Reason reason) {
        QWidget* target = field;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(field))
            target = area->viewport();
        const QPoint pos(5, 5);
        QContextMenuEvent event(reason, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
    }

    // The captions of the open menu, with "-" for a separator and "*" after a checked item.
    static QStringList Captions(const QMenu& menu) {
        QStringList captions;
        for (const QAction* action : menu.actions())
            captions << (action->isSeparator() ? QStringLiteral("-")
                                               : action->text() + (action->isChecked() ? "*" : ""));
        return captions;
    }
    static QStringList Enabled(const QMenu& menu) {
        QStringList enabled;
        for (const QAction* action : menu.actions()) {
            if (!action->isSeparator() && action->isEnabled())
                enabled << action->text();
        }
        return enabled;
    }

    CAppSettings settings;
};

const QStringList kPlainMenu = {"Undo", "Clear", "Copy", "Cut", "Paste"};

TEST_F(MenuEditTest, EveryKindOfTextFieldOpensTheProgramsEditMenu) {
    struct Case {
        const char* name;
        std::function<QWidget*()> make;
        QContextMenuEvent::Reason reason;
    };
    const Case cases[] = {
        {"CMenuEdit, right click", [] { return new CMenuEdit; }, QContextMenuEvent::Mouse},
        {"CMenuEdit, menu key", [] { return new CMenuEdit; }, QContextMenuEvent::Keyboard},
        {"plain QLineEdit", [] { return new QLineEdit; }, QContextMenuEvent::Mouse},
        {"CMenuTextEdit", [] { return new CMenuTextEdit; }, QContextMenuEvent::Mouse},
        {"plain QPlainTextEdit", [] { return new QPlainTextEdit; }, QContextMenuEvent::Keyboard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QWidget> field(c.make());
        field->show();
        QTest::keyClicks(field.get(), QStringLiteral("hello"));
        // Select the whole text.
        QTest::keyClick(field.get(), Qt::Key_A, Qt::ControlModifier);
        QApplication::clipboard()->clear();

        bool looked = false;
        CModalRunner::ScriptMenu([&looked](QMenu& menu) {
            looked = true;
            EXPECT_EQ(Captions(menu), kPlainMenu);
            EXPECT_EQ(Enabled(menu), kPlainMenu);
            // A screen reader finds the open menu from the application's root, with its items.
            QAccessibleInterface* found = OpenMenuFromRoot();
            EXPECT_TRUE(found && found->object() == &menu);
            const QList<CAccessibleItem> items = MenuItemsOf(found);
            EXPECT_EQ(items.size(), 5);
            if (!items.isEmpty()) {
                EXPECT_EQ(items[0].name, QStringLiteral("Undo"));
            }
            return CModalRunner::MenuItem(menu, QStringLiteral("Cut"));
        });
        RequestMenu(field.get(), c.reason);
        EXPECT_TRUE(looked);
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));
        const QString left = qobject_cast<QLineEdit*>(field.get())
                                 ? qobject_cast<QLineEdit*>(field.get())->text()
                                 : qobject_cast<QPlainTextEdit*>(field.get())->toPlainText();
        EXPECT_TRUE(left.isEmpty());
        EXPECT_EQ(OpenMenuFromRoot(), nullptr) << "the closed menu is gone from the bus";

        // Undo brings the text back; Paste puts the clipboard in.
        CModalRunner::ScriptMenu(
            [](QMenu& menu) { return CModalRunner::MenuItem(menu, QStringLiteral("Undo")); });
        RequestMenu(field.get(), c.reason);
        QTest::keyClick(field.get(), Qt::Key_End);
        CModalRunner::ScriptMenu(
            [](QMenu& menu) { return CModalRunner::MenuItem(menu, QStringLiteral("Paste")); });
        RequestMenu(field.get(), c.reason);
        const QString after = qobject_cast<QLineEdit*>(field.get())
                                  ? qobject_cast<QLineEdit*>(field.get())->text()
                                  : qobject_cast<QPlainTextEdit*>(field.get())->toPlainText();
        EXPECT_EQ(after, QStringLiteral("hellohello"));
    }
}

TEST_F(MenuEditTest, ReadOnlyAndFreshFieldsDisableWhatTheyCannotDo) {
    CMenuEdit field;
    field.show();
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_EQ(Enabled(menu), QStringList({"Paste"})) << "a fresh field can only paste";
        return nullptr;
    });
    RequestMenu(&field, QContextMenuEvent::Mouse);

    field.setText(QStringLiteral("GC12ABC"));
    field.setReadOnly(true);
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_EQ(Captions(menu), kPlainMenu);
        EXPECT_TRUE(Enabled(menu).isEmpty()) << "nothing selected";
        return nullptr;
    });
    RequestMenu(&field, QContextMenuEvent::Mouse);

    field.selectAll();
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_EQ(Enabled(menu), QStringList({"Copy"}));
        return CModalRunner::MenuItem(menu, QStringLiteral("Copy"));
    });
    RequestMenu(&field, QContextMenuEvent::Mouse);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("GC12ABC"));
    EXPECT_EQ(field.text(), QStringLiteral("GC12ABC"));
}

TEST_F(MenuEditTest, LogNotesMenuInsertsTheTemplateAsTypedAndTurnsAutoInsertOver) {
    WriteFile("LogTemplate.txt", "Find #%fcount%\r\nTook: \r\n");
    settings.m_foundCount = 57;
    CMenuTextEdit notes;
    notes.SetExtended(true);
    notes.SetCountsFind(true);
    notes.SetText(QStringLiteral("abc"));
    notes.show();
    QSignalSpy changed(&notes, &QPlainTextEdit::textChanged);

    ui.AnswerNo(); // append
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_EQ(Captions(menu), QStringList({"Undo", "Clear", "Copy", "Cut", "Paste", "-",
                                               "Log Template", "Auto Insert"}));
        return CModalRunner::MenuItem(menu, QStringLiteral("Log Template"));
    });
    RequestMenu(&notes, QContextMenuEvent::Mouse);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kPrependTemplateQuestion);
    EXPECT_EQ(notes.Text(), QStringLiteral("abc\r\nFind #57\r\nTook: \r\n"));
    EXPECT_GE(changed.count(), 1) << "the dialog hears of the change as of typing";
    EXPECT_EQ(settings.m_foundCount, 58);
    notes.undo();
    EXPECT_EQ(notes.Text(), QStringLiteral("abc")) << "one undoable change";

    EXPECT_EQ(settings.m_autoInsLogTmpl, 0);
    CModalRunner::ScriptMenu(
        [](QMenu& menu) { return CModalRunner::MenuItem(menu, QStringLiteral("Auto Insert")); });
    RequestMenu(&notes, QContextMenuEvent::Mouse);
    EXPECT_EQ(settings.m_autoInsLogTmpl, 1);
    CAppSettings saved;
    saved.LoadSettings();
    EXPECT_EQ(saved.m_autoInsLogTmpl, 1) << "saved at once";
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_TRUE(Captions(menu).contains(QStringLiteral("Auto Insert*")));
        return nullptr;
    });
    RequestMenu(&notes, QContextMenuEvent::Mouse);

    // A plain field never offers the template commands.
    CMenuTextEdit plain;
    plain.show();
    CModalRunner::ScriptMenu([](QMenu& menu) {
        EXPECT_EQ(Captions(menu), kPlainMenu);
        return nullptr;
    });
    RequestMenu(&plain, QContextMenuEvent::Mouse);
}

TEST_F(MenuEditTest, TapAndHoldOpensTheMenu) {
    QTapAndHoldGesture::setTimeout(50);
    CMenuEdit field;
    field.resize(200, 30);
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    bool opened = false;
    CModalRunner::ScriptMenu([&opened](QMenu&) {
        opened = true;
        return nullptr;
    });
    QTest::mousePress(&field, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(QTest::qWaitFor([&opened] { return opened; }, 2000));
    QTest::mouseRelease(&field, Qt::LeftButton, {}, QPoint(10, 10));
}

TEST_F(MenuEditTest, EditNameTakesUpToThirtyCharactersAndNeedsSome) {
    for (const char* answer : {"ok", "cancel"}) {
        SCOPED_TRACE(answer);
        QString name = QStringLiteral("Found");
        CModalRunner::ScriptAs<CEditNameDlg>([answer](CEditNameDlg& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Name"));
            EXPECT_TRUE(UnnamedControls(&dialog).isEmpty())
                << UnnamedControls(&dialog).join(", ").toStdString();
            EXPECT_EQ(dialog.Field()->text(), QStringLiteral("Found"));
            EXPECT_TRUE(dialog.OkButton()->isEnabled());
            dialog.Field()->clear();
            EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "an empty name cannot be confirmed";
            QTest::keyClicks(dialog.Field(), QString(31, QLatin1Char('x')));
            EXPECT_EQ(dialog.Field()->text(), QString(30, QLatin1Char('x')));
            EXPECT_TRUE(dialog.OkButton()->isEnabled());
            if (QByteArray(answer) == "ok")
                dialog.OkButton()->click();
            else
                dialog.reject();
        });
        const bool ok = CEditNameDlg::Run(name);
        EXPECT_EQ(ok, QByteArray(answer) == "ok");
        EXPECT_EQ(name, ok ? QString(30, QLatin1Char('x')) : QStringLiteral("Found"));
    }
}

} // namespace
