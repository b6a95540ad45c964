// The list window's start-up, timer, outside requests, type-ahead search, and the release of its
// records when memory is short.
#include "ui/list/CRecListView.h"

#include "db/CCacheDb.h"
#include "db/CCacheDbManager.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "settings/COptionList.h"
#include "settings/CSettingsStore.h"
#include "travelbugs/CBugInventory.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListModel.h"
#include "ui/list/CVgaNoticeDlg.h"
#include "util/CClock.h"
#include "util/CUserInterface.h"

#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMutexLocker>

namespace {

const QString kListViewSection = QStringLiteral("ListView");
const QString kCategoryValue = QStringLiteral("Category");
const QString kRecordLinkPrefix = QStringLiteral("qbook:");

} // namespace

CRecListView::~CRecListView() {
    m_timer.stop();
    if (m_db) {
        CSettingsStore().WriteText(kListViewSection, kCategoryValue, m_list.CategoryName());
        m_list.SetDatabase(nullptr);
        CCacheDbManager::Global().ReleaseDb(m_db);
        m_db = nullptr;
    }
    setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    m_list.Clear();
}

void CRecListView::OnStartup() {
    BusyScope busy(*this);

    // 1. The category the list showed last; it is resolved once a database is open.
    const QString category =
        CSettingsStore().ReadText(kListViewSection, kCategoryValue, kUnfiledCategory);
    SetCurrentCategory(category == kAllCategory ? kAllCategoryId : 0, category);

    // 2. The notice of high-density screens.
    if (ScreenDpiX() > 129)
        ShowVgaNotice();

    // 3. With "AutoOpenDB" off the user would choose the database first; the Select Database
    //    dialog is not part of the program yet, so the database of the settings is opened.

    // 4. The current database and its records.
    OpenCurrentDatabase();

    // 5. Travel bugs carried too long.
    if (CAppSettings::Global().m_enableBugNag && CBugInventory::Global().CountOverdue() > 0)
        ShowInfo(QStringLiteral("You have one or more travel bugs in your inventory that need to "
                                "be dropped as soon as possible."));

    // 6. The periodic timer.
    m_timer.start();
    m_startupDone = true;
    m_frame->UpdateCommandStates();
    emit StartupFinished();
}

void CRecListView::ShowVgaNotice() {
    CVgaNoticeDlg notice(m_frame);
    CModalRunner::Run(notice);
}

void CRecListView::OpenCurrentDatabase() {
    if (m_db) {
        SetRowCount(0);
        m_list.Clear();
        m_list.SetDatabase(nullptr);
        CCacheDbManager::Global().ReleaseDb(m_db);
        m_db = nullptr;
    }
    m_db = CCacheDbManager::Global().OpenCurrentDb();
    m_list.SetDatabase(m_db);
    if (m_db) {
        m_list.SelectCategory(m_list.CategoryName());
        SetCurrentCategory(m_list.CategoryId(), m_list.CategoryName());
    }
    Reload();
}

void CRecListView::OnRequest(const QString& text) {
    QMutexLocker lock(&m_requestLock);
    m_requestReady = false;
    m_frame->PendingCommand() = text;
}

void CRecListView::OnTimer() {
    BusyScope busy(*this);
    QMutexLocker lock(&m_requestLock);

    if (m_columns.WidthsChanged())
        SaveColumnWidths();

    if (!m_typedText.isEmpty() && CClock::Get().NowMs() - m_lastTypedMs >= kTypeAheadResetMs)
        m_typedText.clear();

    QString& pending = m_frame->PendingCommand();
    if (m_requestReady && !pending.isEmpty()) {
        const QString text = pending;
        pending.clear();
        m_requestReady = false;
        ServeRequest(text);
    } else if (!m_requestReady && !pending.isEmpty()) {
        // Served once nothing of this program is left open over the main window: a dialog,
        // menu or other window of the program in front is closed, one per tick.
        QWidget* front = QApplication::activePopupWidget();
        if (!front)
            front = QApplication::activeModalWidget();
        if (!front && QApplication::activeWindow() != m_frame)
            front = QApplication::activeWindow();
        if (front && front != m_frame)
            front->close();
        else
            m_requestReady = true;
    }

    m_frame->UpdateCommandStates();
}

void CRecListView::ServeRequest(const QString& text) {
    QString wpt = text;
    wpt.remove(QLatin1Char('\\'));
    wpt = wpt.toLower();
    if (wpt.startsWith(kRecordLinkPrefix)) {
        wpt.remove(0, kRecordLinkPrefix.size());
        while (wpt.startsWith(QLatin1Char('/')))
            wpt.remove(0, 1);
    }
    for (int i = m_list.LoadedCount() - 1; i >= 0; --i) {
        const CRecordSummary* summary = m_list.LoadedAt(i);
        if (summary->id != 0 && summary->wpt.compare(wpt, Qt::CaseInsensitive) == 0) {
            SelectRecord(summary->id);
            ViewRecord(summary->id);
            return;
        }
    }
    ShowError(QStringLiteral("Requested record not found."));
}

void CRecListView::Suspend() {
    if (m_suspended || m_busyCount != 0)
        return;
    m_suspended = true;
    m_topRow = qMax(0, rowAt(0));
    SetRowCount(0);
    m_list.Clear();
    COptionList::CacheTypes().Unload();
    COptionList::SiteUserIds().Unload();
    CPluginMgr::Global().Release();
}

void CRecListView::Resume() {
    if (!m_suspended)
        return;
    m_suspended = false;
    Reload();
    if (m_topRow < m_model->rowCount())
        scrollTo(m_model->index(m_topRow, 0), QAbstractItemView::PositionAtTop);
}

void CRecListView::TypeAhead(const QString& characters) {
    m_typedText += characters;
    m_lastTypedMs = CClock::Get().NowMs();

    const int count = m_list.VisibleCount();
    if (count == 0)
        return;
    const CAppSettings& settings = CAppSettings::Global();
    const int kind = settings.m_sortColumn;
    const bool comparable = kind == kKindName || kind == kKindWpt || kind == kKindOwner ||
                            kind == kKindCustom1 || kind == kKindCustom2 || kind == kKindCustom3;
    const QString typed = m_typedText.toLower();
    int found = -1;
    for (int row = 0; comparable && row < count; ++row) {
        const CRecordSummary* summary = m_list.VisibleAt(row);
        const QString* field = nullptr;
        switch (kind) {
        case kKindName:
            field = &summary->name;
            break;
        case kKindWpt:
            field = &summary->wpt;
            break;
        case kKindOwner:
            field = &summary->owner;
            break;
        case kKindCustom1:
            field = &summary->custom1;
            break;
        case kKindCustom2:
            field = &summary->custom2;
            break;
        default:
            field = &summary->custom3;
            break;
        }
        if (field->isEmpty())
            continue;
        const qsizetype n = qMin(typed.size(), field->size());
        const int order = QString::localeAwareCompare(field->left(n).toLower(), typed.left(n));
        if (settings.m_sortAscend ? order >= 0 : order <= 0) {
            found = row;
            break;
        }
    }
    SelectRow(found >= 0 ? found : count - 1);
}
