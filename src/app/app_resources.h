#pragma once
// Resource and control ids of the wizard window, its header bar and the
// welcome page (app.rc); resource ids within the app's ranges of
// ui/resource_ranges.h.
#include "ui/resource_ranges.h"

#define IDD_WIZARD 129
#define IDD_WELCOME_PAGE 131
#define IDD_HEADER_BAR 137

#define IDI_START_WORK 201
#define IDI_HELP_BUTTON 208
#define IDI_OPTIONS_BUTTON 209
#define IDI_RESCUE_BUTTON 210
#define IDB_HEADER_BACKGROUND 210

// Wizard window.
#define IDC_PAGE_AREA 1009
#define IDC_HEADER_STRIP 1010

// Header bar.
#define IDC_RESCUE_BUTTON 1034
#define IDC_OPTIONS_BUTTON 10
#define IDC_HELP_BUTTON 9

// Welcome page.
#define IDC_WELCOME_TITLE 1028
#define IDC_WELCOME_INFO 1029
#define IDC_START_WORK 1001
#define IDC_SHOW_WELCOME 1004
