#include "ui/list/CRecListView.h"

#include "db/CCacheDb.h"
#include "plugins/CPluginMgr.h"
#include "settings/CAppSettings.h"
#include "ui/framework/CModalRunner.h"
#include "ui/framework/ScreenDensity.h"
#include "ui/list/CMainFrame.h"
#include "ui/list/CRecListDelegate.h"
#include "ui/list/CRecListModel.h"
#include "util/CUserInterface.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QFontInfo>
#include <QGestureEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTapAndHoldGesture>

CRecListView::CRecListView(CMainFrame* frame) : QTableView(frame), m_frame(frame) {
    setObjectName(QStringLiteral("RecListView"));
    // The list has no caption of its own; screen readers announce it by this name.
    setAccessibleName(QStringLiteral("Record List"));
    // Report view, single full-row selection that stays shown, no editing.
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    // Icon columns are narrower than the style's usual minimum.
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // 1, 2. Font and status icons.
    ChooseFontAndIcons();
    verticalHeader()->setDefaultSectionSize(
        qMax(fontMetrics().height() + 4, m_statusIcons[0].height() + 2));

    m_model = new CRecListModel(m_list, m_columns, this);
    setModel(m_model);
    setItemDelegate(new CRecListDelegate(*this));

    // 3. Remembered widths, or none.
    if (CAppSettings::Global().m_saveColumns)
        m_columns.LoadColumnWidths();
    else
        m_columns.ForgetColumnWidths();
    // 4. The columns.
    BuildColumns();

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CRecListView::OnHeaderClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &CRecListView::OnSectionResized);
    connect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
            [this] { m_columns.SetWidthsChanged(); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this] { m_frame->RunCommand(CommandId::ViewRecord); });
    viewport()->grabGesture(Qt::TapAndHoldGesture);

    connect(&m_timer, &QTimer::timeout, this, &CRecListView::OnTimer);
    m_timer.setInterval(kTimerIntervalMs);

    // 5. The rest of start-up runs once the event loop runs.
    QMetaObject::invokeMethod(this, &CRecListView::OnStartup, Qt::QueuedConnection);
}

void CRecListView::ChooseFontAndIcons() {
    int edge = 8;
    if (IsHighDensityScreen()) {
        edge = 16;
        if (CAppSettings::Global().m_useSmallFont) {
            // Two thirds of the list's font; below 16 pixels the small icons fit it better.
            QFont small(QStringLiteral("Arial"));
            small.setStyleHint(QFont::SansSerif);
            small.setWeight(QFont::Normal);
            const int height = (2 * QFontInfo(font()).pixelSize()) / 3;
            small.setPixelSize(qMax(1, height));
            setFont(small);
            m_smallFontMode = height < 16;
            if (m_smallFontMode)
                edge = 8;
        }
    }
    m_statusIcons = CIconSet::StatusIcons(edge);
}

void CRecListView::BuildColumns() {
    if (!m_columns.Update())
        return;
    setUpdatesEnabled(false);
    m_model->ColumnsChanged();
    ApplyColumnWidths();
    ShowSortIndicator();
    setUpdatesEnabled(true);
}

void CRecListView::ApplyColumnWidths() {
    CWaitCursor wait;
    m_applyingWidths = true;
    const int iconWidth = CListColumns::IconColumnWidth(ScreenDpiX(), m_smallFontMode);
    for (int column = m_columns.Count() - 1; column >= 0; --column) {
        if (CListColumns::IsIconKind(m_columns.KindAt(column))) {
            setColumnWidth(column, iconWidth);
            continue;
        }
        const int remembered = m_columns.RememberedWidth(column);
        if (remembered > 0)
            setColumnWidth(column, remembered);
        else
            resizeColumnToContents(column);
    }
    m_applyingWidths = false;
}

void CRecListView::SaveColumnWidths() {
    std::vector<int> widths;
    widths.reserve(size_t(m_columns.Count()));
    for (int column = 0; column < m_columns.Count(); ++column)
        widths.push_back(columnWidth(column));
    m_columns.SaveColumnWidths(widths);
}

void CRecListView::OnSectionResized() {
    // Only the user's dragging of a divider counts; the program's own sizing does not.
    if (!m_applyingWidths && (QGuiApplication::mouseButtons() & Qt::LeftButton))
        m_columns.SetWidthsChanged();
}

void CRecListView::SetRowCount(int count) {
    m_model->SetRowCount(count);
}

void CRecListView::OnHeaderClicked(int column) {
    BusyScope busy(*this);
    SortByColumn(column);
}

void CRecListView::SortByColumn(int column) {
    if (column < 0 || column >= m_columns.Count())
        return;
    CAppSettings& settings = CAppSettings::Global();
    const int kind = m_columns.KindAt(column);
    if (kind == settings.m_sortColumn) {
        settings.m_sortAscend = settings.m_sortAscend ? 0 : 1;
    } else {
        settings.m_sortColumn = kind;
        settings.m_sortAscend = 1;
    }
    m_list.SortVisible();
    m_model->RefreshAll();
    ShowSortIndicator();
    viewport()->update();
}

void CRecListView::ShowSortIndicator() {
    const CAppSettings& settings = CAppSettings::Global();
    const int column =
        int(m_columns.Letters().indexOf(CListColumns::LetterOf(settings.m_sortColumn)));
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column,
                                 settings.m_sortAscend ? Qt::AscendingOrder : Qt::DescendingOrder);
}

int CRecListView::SelectedRow() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() >= m_list.VisibleCount())
        return -1;
    if (!selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return -1;
    return current.row();
}

CRecordSummary* CRecListView::SelectedSummary(bool clearSelection) {
    const int row = SelectedRow();
    CRecordSummary* summary = row >= 0 ? m_list.VisibleAt(row) : nullptr;
    if (clearSelection) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    return summary;
}

void CRecListView::SelectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void CRecListView::SelectRecord(quint32 id) {
    selectionModel()->clearSelection();
    const int row = m_list.IndexInVisible(id);
    if (row >= 0)
        SelectRow(row);
}

void CRecListView::Reload() {
    setUpdatesEnabled(false);
    SetRowCount(0);
    m_list.Clear();
    if (m_db) {
        // A list that could not be read whole says so in the window's caption until the next
        // load reads every record.
        const bool complete = m_list.LoadSummaries();
        m_frame->setWindowTitle(complete ? QStringLiteral("Quarrybook")
                                         : QStringLiteral("Quarrybook - incomplete list"));
        m_list.ApplyFilters();
        SetRowCount(m_list.VisibleCount());
        if (m_list.VisibleCount() > 0) {
            ApplyColumnWidths();
            scrollTo(m_model->index(0, 0));
        }
    }
    setUpdatesEnabled(true);
}

void CRecListView::Refilter() {
    const CRecordSummary* selected = SelectedSummary();
    const quint32 id = selected ? selected->id : 0;
    setUpdatesEnabled(false);
    m_list.ApplyFilters();
    SetRowCount(m_list.VisibleCount());
    if (m_list.VisibleCount() > 0)
        ApplyColumnWidths();
    SelectRecord(id);
    setUpdatesEnabled(true);
    viewport()->update();
}

void CRecListView::SetCurrentCategory(quint16 id, const QString& name) {
    m_list.SetCategory(id, name);
    m_frame->SetCategoryText(name);
    CPluginMgr::Global().SetListCategory(id);
}

void CRecListView::FillCategoryMenu(QMenu& menu) {
    QStringList names;
    if (m_db)
        m_db->GetCategoryNames(names, false);
    else
        names << kUnfiledCategory;
    names.prepend(kAllCategory);
    for (int index = 0; index < names.size(); ++index) {
        const QString& name = names[index];
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu.addAction(caption);
        action->setCheckable(true);
        action->setChecked(name == m_list.CategoryName());
        action->setData(index);
        connect(action, &QAction::triggered, this,
                [this, index, name] { ChooseCategory(index, name); });
    }
}

void CRecListView::ChooseCategory(int index, const QString& name) {
    if (index < 0 || index > kMaxCategoryItems)
        return;
    BusyScope busy(*this);
    if (index == 0)
        SetCurrentCategory(kAllCategoryId, kAllCategory);
    else
        SetCurrentCategory(m_db ? m_db->CategoryIdOf(name) : 0, name);
    setUpdatesEnabled(false);
    m_list.ApplyFilters();
    SetRowCount(m_list.VisibleCount());
    if (m_list.VisibleCount() > 0) {
        ApplyColumnWidths();
        scrollTo(m_model->index(0, 0));
    }
    setUpdatesEnabled(true);
    viewport()->update();
}

void CRecListView::ShowCategoryMenu() {
    QMenu menu(this);
    FillCategoryMenu(menu);
    // Right-aligned at the top right corner of the list.
    const QPoint corner = mapToGlobal(QPoint(width(), 0));
    CModalRunner::RunMenu(menu, corner - QPoint(menu.sizeHint().width(), 0));
}

void CRecListView::FillRecordMenu(QMenu& menu, const CRecordSummary&) {
    auto add = [this](QMenu& target, CommandId id, const QString& caption) {
        QAction* action = target.addAction(caption);
        bool enabled = false;
        CommandState(id, enabled);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, id] { m_frame->RunCommand(id); });
    };
    add(menu, CommandId::ViewRecord, QStringLiteral("View Record"));
    add(menu, CommandId::EditRecord, QStringLiteral("Edit Record"));
    QMenu* logs = menu.addMenu(QStringLiteral("Cache Logs"));
    add(*logs, CommandId::LogFound, QStringLiteral("Log Found"));
    add(*logs, CommandId::LogNotFound, QStringLiteral("Log Not Found"));
    add(*logs, CommandId::EditLog, QStringLiteral("Edit Log"));
    add(menu, CommandId::DeleteRecord, QStringLiteral("Delete Record"));
    add(menu, CommandId::MoveRecord, QStringLiteral("Move Record"));
    add(menu, CommandId::BookmarkRecord, QStringLiteral("Bookmark Record"));
    add(menu, CommandId::SetAsCenter, QStringLiteral("Set As Center"));
}

void CRecListView::ShowRecordMenu(const QPoint& viewportPos, const QPoint& globalPos) {
    const int row = rowAt(viewportPos.y());
    if (row < 0 || row >= m_list.VisibleCount())
        return;
    SelectRow(row);
    QMenu menu(this);
    FillRecordMenu(menu, *m_list.VisibleAt(row));
    CModalRunner::RunMenu(menu, globalPos);
}

void CRecListView::contextMenuEvent(QContextMenuEvent* event) {
    BusyScope busy(*this);
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const int row = SelectedRow();
        if (row < 0)
            return;
        const QRect cell = visualRect(m_model->index(row, 0));
        ShowRecordMenu(cell.center(), viewport()->mapToGlobal(cell.center()));
        return;
    }
    ShowRecordMenu(event->pos(), event->globalPos());
}

bool CRecListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (auto* hold =
                static_cast<QTapAndHoldGesture*>(gestures->gesture(Qt::TapAndHoldGesture))) {
            if (hold->state() == Qt::GestureFinished) {
                BusyScope busy(*this);
                const QPoint global = hold->position().toPoint();
                ShowRecordMenu(viewport()->mapFromGlobal(global), global);
            }
            gestures->accept(hold);
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

void CRecListView::keyPressEvent(QKeyEvent* event) {
    BusyScope busy(*this);
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_frame->RunCommand(CommandId::ViewRecord);
        return;
    }
    if (key == Qt::Key_Q && (event->modifiers() & Qt::ControlModifier)) {
        m_frame->close();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const char16_t c = text.at(0).unicode();
        if (c >= 32 && c <= 126) {
            TypeAhead(text);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void CRecListView::keyboardSearch(const QString&) {
    // Typed characters are searched by the list's own type-ahead search.
}
