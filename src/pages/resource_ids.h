#pragma once
// Resource and control ids of the scan and clean pages. Shared by pages.rc
// and the page code, so it holds preprocessor constants only.

// Dialog templates.
#define IDD_DRIVE_SELECTION 132
#define IDD_SCANNING 135
#define IDD_REPORT 260
#define IDD_CLEAN_SUMMARY 261
#define IDD_CLEANING 262
#define IDD_FINISH 263

// Pictures.
#define IDB_TREE_IMAGES 201
#define IDB_CHECK_STATES 202
#define IDB_SUMMARY_IMAGES 203
#define IDI_SCANNING 217

// Controls (the same id plays the same role across the pages).
#define IDC_PAGE_HEADER 1028
#define IDC_PAGE_INFO 1029
#define IDC_STATUS 1000
#define IDC_SECOND_LABEL 1001
#define IDC_DRIVE_TREE 1002
#define IDC_COUNT 1003
#define IDC_PROGRESS 1014
#define IDC_STOP 1015
#define IDC_HINT 1022
#define IDC_START_NEW_TASK 1023
#define IDC_SEARCH_OPTIONS 1025
#define IDC_EXCLUDING_FOLDERS 1026
#define IDC_LIST 1027
#define IDC_REPORT_COUNT 1030
#define IDC_CLEAN_OPTIONS 1031
#define IDC_ADVANCED_OPTIONS 1032
#define IDC_SCANNING_ICON 1040
