// Resource ids of Orvane.rc.
#pragma once

// The task menus: the full menu and the close menu, Japanese and English.
#define IDR_TASK_MENU 101
#define IDR_TASK_CLOSE_MENU 102
#define IDR_TASK_CLOSE_MENU_ENG 129
#define IDR_TASK_MENU_ENG 130

#define IDM_TASK_SWITCH 40004
#define IDM_TASK_CLOSE 40005
#define IDM_TASK_CANCEL 40006
