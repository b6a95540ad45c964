#pragma once

// The commands of the main window's menus and toolbars, the category button and the record menu.
// The main window offers each command to the list window first (CRecListView::HandleCommand);
// only what the list does not handle reaches the main window itself.
enum class CommandId {
    // "List" menu
    MoveRecords,
    DeleteRecords,
    PurgeInactive,
    RecordCount,
    Bookmarks,
    ClearBookmarks,
    SelectDatabase,
    CompactDatabase,
    ClearFilters,
    EditFilters,
    EditCategories,
    EditColumns,
    // "Options" menu, with the "Travel Bugs" submenu
    BugInventory,
    BugViewLog,
    BugClearLog,
    EditCacheTypes,
    EditContainerTypes,
    EditSiteUserIds,
    Preferences,
    About,
    // Command bar buttons
    NewRecord,
    MarkWaypoint,
    ExportRecords,
    ImportRecords,
    Calculation,
    // The record menu, with the "Cache Logs" submenu
    ViewRecord,
    EditRecord,
    LogFound,
    LogNotFound,
    EditLog,
    DeleteRecord,
    MoveRecord,
    BookmarkRecord,
    SetAsCenter,
    // The filter bar's category button
    CategoryMenu,
};
