/* Identifiers shared by the resource script and the code: every control,
   command, string, dialog, menu, icon and help context has its name here.
   Plain #defines only, because windres preprocesses this file too. */
#ifndef TQ_RESOURCES_IDS_H
#define TQ_RESOURCES_IDS_H

/* Dialog templates */
#define IDD_ABOUT 1
#define IDD_MESSAGE 100
#define IDD_EDITOR 101

/* Menu of the notification-area icon, and icon groups */
#define IDM_TRAY 1
#define IDI_APP 1
#define IDI_TRAY 2

/* Version block */
#define IDV_VERSION 1

/* Controls and commands (control numbers are local to their dialog; the
   same number plays the same role in the message dialog and the editor) */
#define IDC_UNADDRESSED -1
#define IDC_OK 1
#define IDC_CANCEL 2
#define IDC_BEFORE 101
#define IDC_BEFORE_SPIN 102
#define IDC_MONTH 103
#define IDC_DAY 104
#define IDC_YEAR 105
#define IDC_AFTER 106
#define IDC_AFTER_SPIN 107
#define IDC_SKIP 108
#define IDC_ACTIVE 109
#define IDC_MESSAGE 110
#define IDC_POSITION 111
#define IDC_MOVE_UP 112
#define IDC_MOVE_DOWN 113
#define IDC_PREVIOUS 114
#define IDC_NEXT 115
#define IDC_REMOVE 116
#define IDC_NEW 117
#define IDC_DATE_MESSAGE 200
#define IDC_ABOUT 301
#define IDC_DATE_EDITOR 401
#define IDC_HOUR 501
#define IDC_HOUR_SPIN 502
#define IDC_MINUTE 503
#define IDC_MINUTE_SPIN 504
#define IDC_REMIND 505
#define IDC_TITLE 901
#define IDC_NOTICE 902
#define IDC_CONTACT 911
#define IDC_HELP_BUTTON 997

/* Menu commands of the notification-area icon */
#define IDM_EDIT 801
#define IDM_CHECK 802
#define IDM_QUIT 803
#define IDM_HELP 997

/* Help contexts (context help uses the control identifier itself) */
#define HELP_CONTEXT_BUTTON 1001
#define HELP_CONTEXT_MENU 1003

/* Strings */
#define IDS_ALL_DAYS 1024
#define IDS_WEEKDAY_FIRST 1025 /* 1025 + weekday, 0 = Sunday */
#define IDS_SUNDAY 1025
#define IDS_MONDAY 1026
#define IDS_TUESDAY 1027
#define IDS_WEDNESDAY 1028
#define IDS_THURSDAY 1029
#define IDS_FRIDAY 1030
#define IDS_SATURDAY 1031
#define IDS_ALL_YEARS 1032
#define IDS_NO_EVENT 1033
#define IDS_NEVER 1034
#define IDS_ALL_MONTHS 1040 /* 1040 + month, 1 = January */
#define IDS_JANUARY 1041
#define IDS_FEBRUARY 1042
#define IDS_MARCH 1043
#define IDS_APRIL 1044
#define IDS_MAY 1045
#define IDS_JUNE 1046
#define IDS_JULY 1047
#define IDS_AUGUST 1048
#define IDS_SEPTEMBER 1049
#define IDS_OCTOBER 1050
#define IDS_NOVEMBER 1051
#define IDS_DECEMBER 1052
#define IDS_WINDOW_TITLE 1088
#define IDS_ERROR_CAPTION 1089
#define IDS_NO_WINDOW 1090
#define IDS_NO_MEMORY 1091
#define IDS_NO_TIMER 1092
#define IDS_TRAY_TIP 1093
#define IDS_NO_SAVE 1094
#define IDS_PATH_TOO_LONG 1095

/* Sizes of the buffers that texts are loaded into */
#define SHORT_TEXT_SIZE 32
#define LONG_TEXT_SIZE 256

#endif
