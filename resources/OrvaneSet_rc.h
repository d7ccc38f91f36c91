// Resource ids of OrvaneSet.rc. A resource with a Japanese and an English
// form is named by its Japanese id; settings/ResLang maps it to its twin.
#pragma once

// Icon
#define IDI_ORVANE 128

// Dialog templates
#define IDD_MAIN 102
#define IDD_MAIN_LARGE 114
#define IDD_ABOUT 110
#define IDD_ABOUT_LARGE 112
#define IDD_ENV 119          // English 320
#define IDD_ENV_LARGE 120    // English 319
#define IDD_ENV_ENG 320
#define IDD_ENV_ENG_LARGE 319
#define IDD_SETCOLOR 326
#define IDD_LSTSETTING 328
#define IDD_LSTSETTING_LARGE 329
#define IDD_ITEMEDIT 330

// Menus
#define IDM_TAB_BAR 500      // English 136: Save / Close
#define IDM_TAB_BAR_ENG 136
#define IDM_EDIT_BAR 137     // OK / CANCEL

// Menu commands
#define ID_EDIT_CANCEL 32776
#define ID_EDIT_OK 32777
#define ID_TAB_CLOSE 32821
#define ID_TAB_SAVE 32824

// Strings (Japanese ids; the English twin in the comment)
#define IDS_LAST_VIEWED_PAGE 140  // 171
#define IDS_LOAD_SIBLING_ENV 148  // 180
#define IDS_TAB_PAGE 187          // 198
#define IDS_TAB_APP 188           // 199
#define IDS_TAB_ENV 189           // 200
#define IDS_TAB_BASIC 190         // 201
#define IDS_TAB_TASK 194          // 202
#define IDS_TAB_PORT_LAND 196     // 204
#define IDS_TAB_COLOR 197         // 205
#define IDS_TITLE_SETTING 206     // 207
#define IDS_SAVE_FAILED 209       // 210
#define IDS_SAVED 211             // 212
#define IDS_LANG_AUTO 231         // 234
#define IDS_LANG_JAPANESE 232     // 235
#define IDS_LANG_ENGLISH 233      // 236
#define IDS_TAB_VERSION 237       // 238
#define IDS_PAGE_FILE_STOPPED 400 // 401
#define IDS_LOAD_FAILED 402       // 403

// Controls of the main dialog and of every tab page
#define IDC_TAB 1006
#define IDC_CLOSE_BUTTON 1028
#define IDC_FOCUS_WRAP 1050

// Setting list page
#define IDC_SETTING_LIST 1067

// Env page
#define IDC_ENV_NOTE 1013
#define IDC_ENV_FOLDER 1014
#define IDC_ENV_SIBLING 1039
#define IDC_ENV_LANGUAGE 1048
#define IDC_ENV_LIST 1060

// Version page
#define IDC_ABOUT_NAME 1041
#define IDC_ABOUT_VERSION 1042

// Value editor
#define IDC_EDIT_BROWSE 1009
#define IDC_EDIT_TEXT 1068
#define IDC_EDIT_LABEL 1070
#define IDC_EDIT_INT_SPIN 1071
#define IDC_EDIT_SIZE_SPIN 1072
#define IDC_EDIT_CHOICE 1073
#define IDC_EDIT_COLOR 1074
#define IDC_EDIT_FACE 1075
#define IDC_EDIT_INT 1076
#define IDC_EDIT_SIZE 1077
#define IDC_EDIT_HELP 1081

// Colour editor
#define IDC_COLOR_R 1079
#define IDC_COLOR_R_SPIN 1080
#define IDC_COLOR_G 1081
#define IDC_COLOR_G_SPIN 1082
#define IDC_COLOR_B 1085
#define IDC_COLOR_B_SPIN 1086
#define IDC_COLOR_R_SLIDER 1094
#define IDC_COLOR_G_SLIDER 1095
#define IDC_COLOR_B_SLIDER 1096
#define IDC_COLOR_NEW 1097
#define IDC_COLOR_OLD 1098

// Pages tab, page editor and Task tab
#define IDD_PAGES 106
#define IDD_PAGES_LARGE 115
#define IDD_TASK 321          // English 323
#define IDD_TASK_LARGE 322    // English 324
#define IDD_TASK_ENG 323
#define IDD_TASK_ENG_LARGE 324
#define IDD_SETPAGE 325       // English 327
#define IDD_SETPAGE_ENG 327

#define IDS_TASK_MODE_MENU 143       // 191
#define IDS_TASK_MODE_SWITCH_MENU 144  // 192
#define IDS_TASK_MODE_SWITCH_EXIT 145  // 193
#define IDS_NOT_SELECTED 221         // 222
#define IDS_DELETE_PAGE 223          // 224
#define IDS_PAGE_NOT_SET 225         // 226
#define IDS_PAGE_BRACKETS 227        // 228
#define IDS_PAGE_DUPLICATED 229      // 230
#define IDS_DUPLICATE_PAGE 241       // 242
#define IDS_PAGE_NO_COPY 243         // 244
#define IDS_FIELD_TOO_LONG 420       // 421
#define IDS_FIELD_CANNOT_HOLD 422    // 423
#define IDS_CHARS_CONTROL 424        // 425
#define IDS_CHARS_CODE_PAGE 426      // 427
#define IDS_FIELD_PAGE_NAME 428      // 429
#define IDS_LINKS_TO_NAME 430        // 431
#define IDS_FIELD_EXCLUSION 432      // 433
#define IDS_BUTTON_ADD 434           // 435
#define IDS_BUTTON_EDIT 436          // 437
#define IDS_BUTTON_DEL 438           // 439
#define IDS_BUTTON_UP 470            // 471
#define IDS_BUTTON_DOWN 472          // 473
#define IDS_BUTTON_COPY 474          // 475
#define IDS_BUTTON_PASTE 476         // 477

#define IDC_PAGES_LIST 1004
#define IDC_PAGES_UP 1005
#define IDC_PAGES_DEL 1007
#define IDC_PAGES_ADD 1008
#define IDC_PAGES_EDIT 1009
#define IDC_PAGES_COPY 1010
#define IDC_PAGES_PASTE 1011
#define IDC_PAGES_DOWN 1012

#define IDC_SETPAGE_NAME 1002
#define IDC_SETPAGE_SHEET_P 1006
#define IDC_SETPAGE_SHEET_L 1007
#define IDC_SETPAGE_SPIN_P 1056
#define IDC_SETPAGE_SPIN_L 1057
#define IDC_SETPAGE_START_P 1058
#define IDC_SETPAGE_START_L 1059
#define IDC_SETPAGE_ALWAYS_P 1065
#define IDC_SETPAGE_ALWAYS_L 1066
#define IDC_SETPAGE_GROUP_P 1090
#define IDC_SETPAGE_GROUP_L 1091

#define IDC_TASK_WINDOWS 1006
#define IDC_TASK_DEL 1007
#define IDC_TASK_ADD 1008
#define IDC_TASK_MODE 1037
#define IDC_TASK_EXCLUDED 1051
#define IDC_TASK_REFRESH 1053

// Apps tab and icon editor
#define IDD_APPS 105
#define IDD_APPS_LARGE 113
#define IDD_SETAPP 107
#define IDC_APPS_LIST 1004
#define IDC_APPS_UP 1005
#define IDC_APPS_PAGE 1006
#define IDC_APPS_DEL 1007
#define IDC_APPS_ADD 1008
#define IDC_APPS_EDIT 1009
#define IDC_APPS_DOWN 1012
#define IDC_SETAPP_KIND 1006
#define IDC_SETAPP_LIST 1080
#define IDS_PATH 137              // the same in both languages
#define IDS_PAGE 138
#define IDS_NUM 139
#define IDS_FILTER_SHORTCUT 157   // 185
#define IDS_FILTER_FAVORITE 158   // 177
#define IDS_FILTER_PROGRAM 160    // 176
#define IDS_FILTER_IMAGE 161      // 178
#define IDS_FILTER_ALL 162        // 165
#define IDS_NOT_CHOSEN 213        // 214
#define IDS_NOT_EDITABLE 217      // 218
#define IDS_DELETE_ICON 219       // 220
#define IDS_NO_PAGE 239           // 240
#define IDS_NAME_SEPARATOR 262    // 263
#define IDS_NAME_EMPTY 264        // 265
#define IDS_FIELD_MARKER 479      // 489
#define IDS_ICON_LINE_TOO_LONG 490 // 491
// File chooser (template, soft keys with the "Path" menu, controls, texts)
#define IDD_SELFILE 134
#define IDM_SELFILE_BAR 501       // English 502
#define IDM_SELFILE_BAR_ENG 502
#define ID_SELFILE_PATH0 33000    // + the entry's position in the "Path" menu
#define ID_SELFILE_CANCEL 32821
#define IDC_SELFILE_LIST 1001
#define IDC_SELFILE_PATH 1003
#define IDC_SELFILE_TYPE 1006
#define IDC_SELFILE_SELECT 1044
#define IDC_SELFILE_VIEW 1045
#define IDC_SELFILE_NAME 1046
#define IDC_SELFILE_NAME_LABEL 1051
#define IDC_SELFILE_TYPE_LABEL 1052
#define IDC_SELFILE_PATH_LABEL 1053
#define IDS_NO_FILE_SELECTED 156  // 175
#define IDS_SELFILE_TITLE 440     // 441
#define IDS_SELFILE_DIR_TITLE 442 // 443
#define IDS_SELFILE_FILE 444      // 445
#define IDS_SELFILE_TYPE 446      // 447
#define IDS_SELFILE_PATH 448      // 449
#define IDS_SELFILE_VIEW 450      // 451
#define IDS_SELFILE_SELECT 452    // 453
#define IDS_SELFILE_COL_NAME 454  // 455
#define IDS_SELFILE_COL_TYPE 456  // 457
#define IDS_SELFILE_COL_SIZE 458  // 459
#define IDS_SELFILE_COL_DATE 460  // 461
#define IDS_SELFILE_ALL 462       // 463

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
