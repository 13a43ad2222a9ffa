#pragma once
// Resource and control ids of the rescue center (shared by rescue.rc and the
// code); resource ids within the rescue center's ranges of
// ui/resource_ranges.h.
#define IDD_RESCUE_CENTER 223
#define IDI_RESCUE_CENTER 206
#define IDC_RESCUE_HEADER_INFO 1026
#define IDC_RESCUE_SET_LIST 1027
#define IDC_RESCUE_STATUS 1033
#define IDC_RESCUE_DELETE 1013
#define IDC_RESCUE_RESTORE 1072
#define IDC_RESCUE_OPEN_LOG 1034
