#pragma once
// Resource and control ids of the scan and clean pages. Shared by pages.rc
// and the page code, so it holds preprocessor constants only; every folder's
// resource script is compiled in one unit, so the names carry "PG_" and the
// resource ids lie within the pages' ranges of ui/resource_ranges.h.

// Dialog templates.
#define IDD_PG_DRIVE_SELECTION 132
#define IDD_PG_SCANNING 135
#define IDD_PG_REPORT 260
#define IDD_PG_CLEAN_SUMMARY 261
#define IDD_PG_CLEANING 262
#define IDD_PG_FINISH 263
#define IDD_PG_NOT_CLEANED 264

// Pictures.
#define IDB_PG_TREE_IMAGES 201
#define IDB_PG_CHECK_STATES 202
#define IDB_PG_SUMMARY_IMAGES 203
#define IDI_PG_SCANNING 217

// Controls (the same id plays the same role across the pages).
#define IDC_PG_PAGE_HEADER 1028
#define IDC_PG_PAGE_INFO 1029
#define IDC_PG_STATUS 1000
#define IDC_PG_SECOND_LABEL 1001
#define IDC_PG_DRIVE_TREE 1002
#define IDC_PG_COUNT 1003
#define IDC_PG_PROGRESS 1014
#define IDC_PG_STOP 1015
#define IDC_PG_HINT 1022
#define IDC_PG_START_NEW_TASK 1023
#define IDC_PG_SEARCH_OPTIONS 1025
#define IDC_PG_EXCLUDING_FOLDERS 1026
#define IDC_PG_LIST 1027
#define IDC_PG_REPORT_COUNT 1030
#define IDC_PG_CLEAN_OPTIONS 1031
#define IDC_PG_ADVANCED_OPTIONS 1032
#define IDC_PG_SCANNING_ICON 1040
#define IDC_PG_RESULT_LINE 1041
#define IDC_PG_NOT_CLEANED 1042
#define IDC_PG_OPEN_LOG 1043
#define IDC_PG_VIEW_FILES 1044
#define IDC_PG_VIEW_BY_TYPE 1045
#define IDC_PG_TYPE_LIST 1046
