// Resource ids of the main window: its template and controls, the icon and the notification-area menu.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_YARROWKEEP_DIALOG 102

// The logo; its command opens the vendor's web site.
#define IDC_LOGO 1090

// Never-visible controls whose ids are the function commands.
#define IDC_FUNCTION_NORMAL_BACKUP 1091
#define IDC_FUNCTION_NORMAL_RESTORE 1092
#define IDC_FUNCTION_ENCRYPT_BACKUP 1093
#define IDC_FUNCTION_DECRYPT_RESTORE 1094
#define IDC_FUNCTION_FILE_BROWSER 1099

// Side menu: an image control per item with a text control on top; both send the item's command.
#define IDC_MENU_NORMAL_BACKUP_IMAGE 1101
#define IDC_MENU_ENCRYPT_BACKUP_IMAGE 1102
#define IDC_MENU_NORMAL_RESTORE_IMAGE 1103
#define IDC_MENU_DECRYPT_RESTORE_IMAGE 1104
#define IDC_MENU_FILE_BROWSER_IMAGE 1105
#define IDC_MENU_SETTINGS_IMAGE 1106
#define IDC_MENU_HELP_IMAGE 1107
#define IDC_MENU_NORMAL_BACKUP_TEXT 1095
#define IDC_MENU_NORMAL_RESTORE_TEXT 1096
#define IDC_MENU_ENCRYPT_BACKUP_TEXT 1097
#define IDC_MENU_DECRYPT_RESTORE_TEXT 1098
#define IDC_MENU_FILE_BROWSER_TEXT 1100
#define IDC_MENU_SETTINGS_TEXT 1111
#define IDC_MENU_HELP_TEXT 1023

// The notification-area icon's popup menu.
#define IDR_TRAY_MENU 210
#define ID_TRAY_QUIT 32774
#define ID_TRAY_LAUNCH 32775
