#include "ui/uCaptionKeys.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace qlm {

namespace {

void AddKeys(std::vector<std::string_view>& keys, std::span<const char* const> more) {
  for (const char* key : more)
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.emplace_back(key);
}

}  // namespace

std::vector<std::string_view> AllLanguageKeys() {
  static const char* const SINGLE_KEYS[] = {
      KEY_SAVE, KEY_CANCEL, KEY_CLOSE, KEY_DAYS, KEY_DB_CACHE, KEY_COOKIES_DEF,
      KEY_ADD_FOLDERS_DIALOG, KEY_MESSAGE_GROUP, KEY_END_STATUS_ERROR, KEY_END_STATUS_ABORT,
      KEY_END_STATUS_OK, KEY_UPDATER_CAPTION, KEY_UPDATER_RESTART_NEEDED,
      KEY_UPDATER_CHECK_SITE_UPDATES, KEY_UPDATER_APP_UPDATED, KEY_UPDATER_DOWNLOAD_FILE,
      KEY_UPDATER_ERROR_LIST, KEY_UPDATER_ERROR_UPDATING, KEY_UPDATER_NO_UPDATES,
      KEY_UPDATE_CLOSE, KEY_UPDATE_UPDATE, KEY_UPDATE_RESTART, KEY_CURR_STATUS_SCAN_RUN,
      KEY_CURR_STATUS_CLEAN_RUN, KEY_CURR_STATUS_OPER_OK, KEY_CURR_STATUS_OPER_ABORT,
      KEY_CURR_STATUS_OPER_ERROR, KEY_FINAL_STATUS_OPER_ERROR, KEY_FINAL_STATUS_FREE_SPACE,
      KEY_FINAL_STATUS_OPER_ABORT, KEY_FINAL_STATUS_NO_FOUND, KEY_FINAL_STATUS_MAJOR_OBJS,
      KEY_FINAL_STATUS_ALL_REM, KEY_STARTUP_STATUS_FIRST_SCAN, KEY_STARTUP_STATUS_SCAN_NEEDED,
      KEY_STARTUP_STATUS_CHECK_UPDATE, KEY_RBIN_HINT_EMPTY, KEY_RBIN_HINT_OBJECTS,
      KEY_RBIN_HINT_SIZE, KEY_MESSAGE_SAVE_LIST, KEY_MESSAGE_OPEN_FOLDER, KEY_MESSAGE_SAVE_LIST_ERROR,
      KEY_RETENTION_ERROR, KEY_APPS_SAVE_ERROR, KEY_FOLDER_NAME_ERROR, KEY_UNSAVED_OPTIONS,
      KEY_NEEDS_ADMIN, KEY_CAP_ERROR};
  std::vector<std::string_view> keys;
  for (std::span<const char* const> group :
       {std::span<const char* const>(MAIN_CAPTION_CONTROLS), std::span<const char* const>(SINGLE_KEYS),
        std::span<const char* const>(REPORT_COLUMN_KEYS), std::span<const char* const>(APPS_COLUMN_KEYS),
        std::span<const char* const>(UPDATER_COLUMN_KEYS), std::span<const char* const>(LOG_LEVEL_KEYS),
        std::span<const char* const>(ABOUT_CAPTION_CONTROLS),
        std::span<const char* const>(UPDATER_CAPTION_KEYS)})
    AddKeys(keys, group);
  return keys;
}

}  // namespace qlm
