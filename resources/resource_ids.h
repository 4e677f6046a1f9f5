#pragma once

// Command, control and resource ids: the one list shared by the .rc files, menus, tool bars
// and handlers. Plain defines, because the resource compiler reads this file too.

// Icons and bitmaps.
#define IDI_MORVELIN 1
#define IDB_TOOLBAR 100

// Main window: tool buttons (in their order on the bands).
#define IDC_OK_BTN 1001
#define IDC_CANCEL_BTN 1002
#define IDC_UPDATE_BTN 1003
#define IDC_ADD_BTN 1004
#define IDC_EDIT_BTN 1005
#define IDC_DELETE_BTN 1006
#define IDC_SEPARATOR_BTN 1007 /* SepaBtn */
#define IDC_MOVE_UP_BTN 1008   /* UpButton */
#define IDC_MOVE_DOWN_BTN 1009 /* DwButton */
#define IDC_RUN_BTN 1010
#define IDC_LIST_VIEW_BUTTON 1011
#define IDC_VERSION_BTN 1012       /* HelpBtn */
#define IDC_HELP_CONTENTS_BTN 1013 /* HelpButton */
#define IDC_GROUP_BUTTON 1014
#define IDC_SHORTCUT_BUTTON 1015 /* ToolButton1 */

// Main window: controls.
#define IDC_COOL_BAR 1100
#define IDC_PAGE_CONTROL 1101
#define IDC_T_LIST_BOX 1102
#define IDC_HOMEPAGE_LABEL 1103
#define IDC_HOMEPAGE 1104
#define IDC_LAN_CHECK_BOX 1105
#define IDC_CLEAR_CHECK_BOX 1106
#define IDC_CAPS_CHECK_BOX 1107
#define IDC_NUM_CHECK_BOX 1108
#define IDC_MENU_ICON_CHECK_BOX 1109
#define IDC_STATUS_BAR 1110
#define IDC_FILE_TOOL_BAR 1111
#define IDC_EDIT_TOOL_BAR 1112
#define IDC_OPTION_TOOL_BAR 1113
#define IDC_HELP_TOOL_BAR 1114
#define IDC_SKIP_RUNNING_CHECK_BOX 1115
#define IDC_WAIT_LABEL 1116
#define IDC_WAIT_EDIT 1117
#define IDC_WAIT_UP_DOWN 1118
#define IDC_LOG_BUTTON 1119
#define IDC_HISTORY_BUTTON 1120

// Main window: the start-up entries page.
#define IDC_TAKEOVER_ENTRIES 1401
#define IDC_TAKE_OVER_BUTTON 1402
#define IDC_GIVE_BACK_BUTTON 1403
#define IDC_UNINSTALL_BUTTON 1404

// List context menu (PopupMenu2).
#define IDM_ALL_OK 1201
#define IDM_ALL_NG 1202
#define IDM_MOVE_UP 1203   /* N2 */
#define IDM_MOVE_DOWN 1204 /* N3 */

// F1, posted to the main window from any window of the program.
#define IDM_HELP_KEY 1301

// Item dialog.
#define IDD_ITEM_DLG 2000
#define IDC_TITLE_NAME 2001
#define IDC_FILE_NAME 2002
#define IDC_FOLDER_NAME 2003
#define IDC_ARGUMENTS_NAME 2004 /* HikiName */
#define IDC_STYLE_COMBO 2005
#define IDC_SHH 2006
#define IDC_SMM 2007
#define IDC_EHH 2008
#define IDC_EMM 2009
#define IDC_ONCE_CHECK_BOX 2010
#define IDC_HOME_NAME 2011
#define IDC_OPEN_BUTTON 2012
#define IDC_EXPLORER_BUTTON 2013 /* Button1 */
#define IDC_ICON_IMAGE 2014      /* Image1 */
#define IDC_SHH_UPDOWN 2015
#define IDC_SMM_UPDOWN 2016
#define IDC_EHH_UPDOWN 2017
#define IDC_EMM_UPDOWN 2018
#define IDC_LABEL_TITLE 2020
#define IDC_LABEL_FILE 2021
#define IDC_LABEL_FOLDER 2022
#define IDC_LABEL_ARGUMENTS 2023
#define IDC_LABEL_STYLE 2024
#define IDC_LABEL_TIME 2025
#define IDC_LABEL_COLON1 2026
#define IDC_LABEL_TILDE 2027
#define IDC_LABEL_COLON2 2028
#define IDC_LABEL_HOME 2029
#define IDC_LABEL_DELAY 2030
#define IDC_DELAY 2031
#define IDC_DELAY_UPDOWN 2032
#define IDC_IDLE_CHECK_BOX 2033
#define IDC_LABEL_DAYS 2034
#define IDC_DAY_FIRST 2035 /* Sunday; the seven days follow in order up to 2041 */
#define IDC_TIMING_GROUP 2042
#define IDC_NEED_GROUP 2043
#define IDC_LABEL_NEED 2044
#define IDC_NEED_COMBO 2045
#define IDC_LABEL_NEED_TARGET 2046
#define IDC_NEED_TARGET 2047
#define IDC_NEED_BROWSE 2048
#define IDC_LABEL_NEED_LIMIT 2049
#define IDC_NEED_LIMIT 2050
#define IDC_NEED_LIMIT_UPDOWN 2051
#define IDC_NEED_START_AT_LIMIT 2052
#define IDC_NEED_SKIP_AT_LIMIT 2053
#define IDC_NEED_HINT 2054
#define IDM_START_TIME_NOW 2101 /* STimeC */
#define IDM_END_TIME_NOW 2102   /* ETimeC */

// Listing dialog.
#define IDD_LIST_VIEW_DLG 3000
#define IDC_LIST_PANEL 3001
#define IDC_LIST_VIEW1 3002

// About box (its controls are placed in code, at fixed pixel places).
#define IDC_ABOUT_VERSION 4001
#define IDC_ABOUT_LINK 4002
#define IDC_ABOUT_TOTAL_MEMORY 4003
#define IDC_ABOUT_FREE_MEMORY 4004
#define IDC_ABOUT_FREE_RESOURCES 4005
#define IDC_ABOUT_WWW 4006

// Log-on history window.
#define IDC_HISTORY_ROWS 4101
#define IDC_HISTORY_FIGURES 4102

// Tray menus: an entry's command id is its menu's first id plus its position.
#define IDM_CONVENIENCES_FIRST 0x3F00 /* PopupMenu3 */
#define IDM_LAUNCHER_FIRST 0x4000     /* PopupMenu1 */
