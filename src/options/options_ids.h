#pragma once
// Resource and control ids of the options dialog, its pages, the junk-type
// editor and the advanced settings dialog (shared by options.rc and the
// code); resource ids within the options' ranges of ui/resource_ranges.h.
#include "ui/resource_ranges.h"

// Dialog templates.
#define IDD_OPTIONS 136
#define IDD_JUNK_TYPES_PAGE 300
#define IDD_SEARCH_OPTIONS_PAGE 301
#define IDD_SKIP_FOLDERS_PAGE 302
#define IDD_CLEAN_OPTIONS_PAGE 303
#define IDD_JUNK_TYPE_EDITOR 304
#define IDD_ADVANCED_SETTINGS 305
#define IDD_SCHEDULE_PAGE 306
#define IDD_APPLICATIONS_PAGE 307
#define IDD_LANGUAGE_PAGE 308

// Icons.
#define IDI_JUNK_TYPES 310
#define IDI_SEARCH_OPTIONS 311
#define IDI_SKIP_FOLDERS 312
#define IDI_CLEAN_OPTIONS 313
#define IDI_ADD_ENTRY 314
#define IDI_DELETE_ENTRY 315
#define IDI_ADVANCED_SETTINGS 316
#define IDI_ANY_FILE 317
#define IDI_ANY_FOLDER 318
#define IDI_SCHEDULE 319
#define IDI_APPLICATIONS 330
#define IDI_LANGUAGE 331

// Bitmaps.
#define IDB_OPTION_TABS 320

// Options dialog.
#define IDC_OPTION_TABS 1001
#define IDC_DEFAULT_ALL 1002

// Controls shared by the pages.
#define IDC_PAGE_ICON 1010
#define IDC_PAGE_INFO 1011
#define IDC_PAGE_DEFAULT 1012
#define IDC_LIST_LABEL 1013
#define IDC_ADD_ENTRY 1014
#define IDC_DELETE_ENTRY 1015

// Junk types page.
#define IDC_JUNK_LIST 1020

// Search options page.
#define IDC_SKIP_READONLY 1030
#define IDC_SKIP_HIDDEN 1031
#define IDC_SKIP_SYSTEM 1032
#define IDC_FIND_NOT_ACCESSED 1033
#define IDC_MONTHS 1034
#define IDC_MONTHS_LABEL 1035
#define IDC_FIND_ZERO_LENGTH 1036
#define IDC_FIND_INVALID_SHORTCUTS 1037

// Skip folders page.
#define IDC_SKIP_FOLDER_LIST 1040
#define IDC_KEEP_LABEL 1041
#define IDC_KEEP_ADD 1042
#define IDC_KEEP_REMOVE 1043
#define IDC_KEEP_LIST 1044

// Clean options page.
#define IDC_DISPOSAL_GROUP 1050
#define IDC_CLEAN_FROM_DISK 1051
#define IDC_MOVE_TO_RECYCLE 1052
#define IDC_MOVE_TO_FOLDER 1053
#define IDC_TARGET_FOLDER 1054
#define IDC_BACKUP_GROUP 1055
#define IDC_BACKUP 1056
#define IDC_BACKUP_NOTE 1057
#define IDC_ADVANCED 1058
#define IDC_REMOVE_OLD_SETS 1059
#define IDC_SET_AGE_DAYS 1064
#define IDC_SET_AGE_SPIN 1065
#define IDC_SET_AGE_LABEL 1066

// Schedule page.
#define IDC_SCHEDULE_GROUP 1080
#define IDC_SCHEDULE_NEVER 1081
#define IDC_SCHEDULE_DAILY 1082
#define IDC_SCHEDULE_WEEKLY 1083
#define IDC_SCHEDULE_MONTHLY 1084
#define IDC_SCHEDULE_WEEKDAY 1085
#define IDC_SCHEDULE_MONTHDAY 1086
#define IDC_SCHEDULE_AT 1087
#define IDC_SCHEDULE_TIME 1088
#define IDC_SCHEDULE_PLAN 1089
#define IDC_SCHEDULE_NOW_LABEL 1090
#define IDC_SCHEDULE_NOW 1091
#define IDC_SCHEDULE_LAST_LABEL 1092
#define IDC_SCHEDULE_LAST 1093
#define IDC_SCHEDULE_WARNING 1094

// Applications page.
#define IDC_APP_LIST 1100
#define IDC_APP_PROGRESS 1101
#define IDC_APP_STATUS 1102
#define IDC_APP_FILES 1103

// Language page.
#define IDC_LANGUAGE_LABEL 1110
#define IDC_LANGUAGE_LIST 1111
#define IDC_LANGUAGE_NOTE 1112

// Junk-type editor.
#define IDC_FILE_NAME_LABEL 1060
#define IDC_FILE_NAME 1061
#define IDC_DESCRIPTION_LABEL 1062
#define IDC_DESCRIPTION 1063

// Advanced settings dialog: the thirteen trace switches are consecutive.
#define IDC_ADV_GROUP 1070
#define IDC_TRACE_SWITCH_FIRST 1071
