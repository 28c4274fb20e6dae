// Every language key the program reads, in one table: the captions set by
// the caption pass and the texts looked up at the moment they are shown.
// Window code takes its keys from here; a test holds english.lng to exactly
// this set. The file needs no Windows header.
#pragma once

#include <string_view>
#include <vector>

namespace qlm {

// Controls of the main window whose caption is the text of the key that
// equals the control's name.
inline constexpr const char* MAIN_CAPTION_CONTROLS[] = {
    "bbHome", "bbScan", "bbSettings", "bbHelp",
    "bbStop", "bbClean", "bbFinish", "bbNext",
    "bbMainOptions", "bbScanOptions", "bbAppsOptions", "bbAdd",
    "bbRemove", "bbSODescr", "bbMODescr", "bbAODescr",
    "btnScanNow", "btnCheckUpdate", "lbOptionsLog", "lbLogLevel",
    "lbRetention", "lbStatus", "lbLastScan", "lbLastObjsFound",
    "lbLastObjsRem", "lbLastObjsRemSize", "lbVersion", "lbCapSettings",
    "lbSettings", "lbScanStartTime", "lbScanElapsedTime", "lbScanObjFound",
    "lbScanObjSize", "lbScanCurrFolder", "lbCapOptions", "lbCapAppsOptions",
    "lbLanguage", "lbSelLanguage", "lbOptionsCore", "lbCapScanOptions",
    "lbOptionsUser", "lbSearchFor", "lbOptionsWin", "lbOptionsApps",
    "lbSystem", "lbShow", "lbAddExts", "lbAddDescr",
    "lbDaysOlder", "lbDays", "lbObjsFound", "lbObjsFoundSize",
    "lbObjsRem", "lbObjsRemSize", "lbOptionsRbin", "lbwuDays",
    "lbwuDaysOlder", "gbStartupStatus", "gbFinalStatus", "gbCookies",
    "gbIE", "gbTemp", "gbOffice", "gbOther",
    "cbScanLowPriority", "cbSelFoundObjs", "cbRemObjsInEnd", "cbObjsInRB",
    "cbTrackCookies", "cbEraseAll", "cbCookiesIndexDat", "cbCache",
    "cbForceDel", "cbShowFiles", "cbIEIndexDat", "cbIEUpdates",
    "cbTemp", "cbWinRecents", "cbOffRecents", "cbWinUpdates",
    "cbWinTemp", "cbFireFoxCache", "cbFireFoxCookies", "cbFlockCache",
    "cbFlockCookies", "cbMRUHistory", "cbEmptyRBin", "cbPrefetch",
    "cbFixedDrives", "cbAddFolders", "cbDefExts", "cbUseDef",
    "cbAskConfirm", "cbShowProgress", "cbPlaySound", "cbOlDeleted",
    "cbOlJunk", "cbOleDeleted", "cbDelSaveLog", "cbHidePath",
    "cbwuOrphanUpdates", "cbwuOptionalUpdates", "cbHistory", "cbAddressBarUrls",
    "pmHelp", "pmUpdates", "pmAbout", "pmExit",
    "pmOpenFolder", "pmSaveList", "pmOpenRB", "pmUpdateRB",
    "pmEmptyRB",
};

// Captions whose key differs from the control's name.
inline constexpr char KEY_SAVE[] = "bbSave";          // bbmoSave and bbcoSave
inline constexpr char KEY_CANCEL[] = "bbCancel";      // bbmoCancel and bbcoCancel
inline constexpr char KEY_CLOSE[] = "bbClose";        // bbaoClose
inline constexpr char KEY_DAYS[] = "lbDays";          // lbpfDays as well as lbDays
inline constexpr char KEY_DB_CACHE[] = "cbDBCache";   // cbDBcache
inline constexpr char KEY_COOKIES_DEF[] = "leCookiesDef";  // the label of the edit
inline constexpr char KEY_ADD_FOLDERS_DIALOG[] = "pdAddFolders";
inline constexpr char KEY_MESSAGE_GROUP[] = "gbMessage";   // the wait message window

// Column headers, in column order.
inline constexpr const char* REPORT_COLUMN_KEYS[] = {"vtReport.Name", "vtReport.Count",
                                                     "vtReport.Size"};
inline constexpr const char* APPS_COLUMN_KEYS[] = {"lvApps.Name", "lvApps.Version"};
inline constexpr const char* UPDATER_COLUMN_KEYS[] = {
    "FormUpdater.lvUpdates.Name", "FormUpdater.lvUpdates.Version", "FormUpdater.lvUpdates.Date",
    "FormUpdater.lvUpdates.Size"};

// The items 0 to 6 of the log level list, in this order.
inline constexpr const char* LOG_LEVEL_KEYS[] = {"llDisabled", "llExcept", "llError", "llWarning",
                                                 "llNotice",   "llInfo",   "llDebug"};

// The caption of gbCurrStatus after a caption pass.
inline constexpr char KEY_END_STATUS_ERROR[] = "lbEndStatus.error";
inline constexpr char KEY_END_STATUS_ABORT[] = "lbEndStatus.abort";
inline constexpr char KEY_END_STATUS_OK[] = "lbEndStatus.ok";

// The About window's controls of the same names.
inline constexpr const char* ABOUT_CAPTION_CONTROLS[] = {
    "wlbshop", "wlbsite", "wlbblog", "wlbforum", "btnAboutOK", "lbAboutCopyright",
    "lbAboutVersion", "lbAboutSupport"};

// The update window: its title and the controls named after the point.
inline constexpr char KEY_UPDATER_CAPTION[] = "FormUpdater.Caption";
inline constexpr const char* UPDATER_CAPTION_KEYS[] = {
    "FormUpdater.btnCheck",  "FormUpdater.btnClose",   "FormUpdater.btnSelAll",
    "FormUpdater.btnUpdate", "FormUpdater.lbDownload", "FormUpdater.lbNews"};

// The update window's status and message texts.
inline constexpr char KEY_UPDATER_RESTART_NEEDED[] = "FormUpdater.RestartNeeded";
inline constexpr char KEY_UPDATER_CHECK_SITE_UPDATES[] = "FormUpdater.CheckSiteUpdates";
inline constexpr char KEY_UPDATER_APP_UPDATED[] = "FormUpdater.AppUpdated";
inline constexpr char KEY_UPDATER_DOWNLOAD_FILE[] = "FormUpdater.DownloadFile";
inline constexpr char KEY_UPDATER_ERROR_LIST[] = "FormUpdater.ErrorList";
inline constexpr char KEY_UPDATER_ERROR_UPDATING[] = "FormUpdater.ErrorUpdating";
inline constexpr char KEY_UPDATER_NO_UPDATES[] = "FormUpdater.NoUpdates";

// The texts handed to the update program.
inline constexpr char KEY_UPDATE_CLOSE[] = "Update.Close";
inline constexpr char KEY_UPDATE_UPDATE[] = "Update.Update";
inline constexpr char KEY_UPDATE_RESTART[] = "Update.Restart";

// Current status of a running or ended operation (caption of gbCurrStatus).
inline constexpr char KEY_CURR_STATUS_SCAN_RUN[] = "CurrStatus.ScanRun";
inline constexpr char KEY_CURR_STATUS_CLEAN_RUN[] = "CurrStatus.CleanRun";
inline constexpr char KEY_CURR_STATUS_OPER_OK[] = "CurrStatus.OperOk";
inline constexpr char KEY_CURR_STATUS_OPER_ABORT[] = "CurrStatus.OperAbort";
inline constexpr char KEY_CURR_STATUS_OPER_ERROR[] = "CurrStatus.OperError";

// Final status (lbFinalStatus).
inline constexpr char KEY_FINAL_STATUS_OPER_ERROR[] = "FinalStatus.OperError";
inline constexpr char KEY_FINAL_STATUS_FREE_SPACE[] = "FinalStatus.FreeSpace";
inline constexpr char KEY_FINAL_STATUS_OPER_ABORT[] = "FinalStatus.OperAbort";
inline constexpr char KEY_FINAL_STATUS_NO_FOUND[] = "FinalStatus.NoFound";
inline constexpr char KEY_FINAL_STATUS_MAJOR_OBJS[] = "FinalStatus.MajorObjs";
inline constexpr char KEY_FINAL_STATUS_ALL_REM[] = "FinalStatus.AllRem";

// Start-up status (lbStartupStatus); the scan-needed text holds "%d".
inline constexpr char KEY_STARTUP_STATUS_FIRST_SCAN[] = "StartupStatus.FirstScan";
inline constexpr char KEY_STARTUP_STATUS_SCAN_NEEDED[] = "StartupStatus.ScanNeeded";
inline constexpr char KEY_STARTUP_STATUS_CHECK_UPDATE[] = "StartupStatus.CheckUpdate";

// Hint of the Recycle Bin picture.
inline constexpr char KEY_RBIN_HINT_EMPTY[] = "RBHint.Empty";
inline constexpr char KEY_RBIN_HINT_OBJECTS[] = "RBHint.Objects";
inline constexpr char KEY_RBIN_HINT_SIZE[] = "RBHint.Size";

// The wait message, kinds 0 and 1.
inline constexpr char KEY_MESSAGE_SAVE_LIST[] = "Message.SaveList";
inline constexpr char KEY_MESSAGE_OPEN_FOLDER[] = "Message.OpenFolder";
// The error when a saved list cannot be written; holds "%s" for its name.
inline constexpr char KEY_MESSAGE_SAVE_LIST_ERROR[] = "Message.SaveListError";

// The options pages' errors and question; "%s" stands for a file's name.
inline constexpr char KEY_RETENTION_ERROR[] = "Message.RetentionError";
inline constexpr char KEY_APPS_SAVE_ERROR[] = "Message.AppsSaveError";
inline constexpr char KEY_FOLDER_NAME_ERROR[] = "Message.FolderNameError";
inline constexpr char KEY_UNSAVED_OPTIONS[] = "Message.UnsavedOptions";
inline constexpr char KEY_NEEDS_ADMIN[] = "Message.NeedsAdmin";

// Caption of the error box.
inline constexpr char KEY_CAP_ERROR[] = "capError";

// Every key above, each once.
std::vector<std::string_view> AllLanguageKeys();

}  // namespace qlm
