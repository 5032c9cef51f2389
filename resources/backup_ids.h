// Resource ids of the backup engine's dialogs: the progress and result dialogs and their controls.
#pragma once

#define IDD_COPY_PROGRESS 176
#define IDD_COPY_RESULT 191
#define IDD_BACKUP_RESTORE_PAGE 219

// The progress dialog.
#define IDC_PROGRESS_BAR 1016
#define IDC_PROGRESS_BYTES 1041
#define IDC_PROGRESS_LINE 1042
#define IDC_PROGRESS_HEADING 1116
#define IDC_PROGRESS_CANCEL_IMAGE 1117
#define IDC_PROGRESS_CANCEL_TEXT 1118

// The result dialog: a picture, a heading and two count lines of label, number and unit.
#define IDC_RESULT_HEADING 1088
#define IDC_RESULT_DONE_LABEL 1089
#define IDC_RESULT_UNDONE_LABEL 1090
#define IDC_RESULT_DONE_NUMBER 1091
#define IDC_RESULT_DONE_UNIT 1092
#define IDC_RESULT_UNDONE_NUMBER 1093
#define IDC_RESULT_UNDONE_UNIT 1094
#define IDC_RESULT_PICTURE 1115
#define IDC_RESULT_OK_IMAGE 1117
#define IDC_RESULT_OK_TEXT 1118

// The backup/restore page: title band, illustration, two path boxes with their labels, the hint with the
// settings link, the SD space line, two action buttons (picture with text) and the automatic-backup switch.
#define IDC_PAGE_ICON 1091
#define IDC_PAGE_TITLE 1105
#define IDC_PAGE_ILLUSTRATION 1112
#define IDC_PAGE_UPPER_LABEL 1106
#define IDC_PAGE_HINT 1110
#define IDC_PAGE_SETTINGS_LINK 1111
#define IDC_PAGE_HINT_PICTURE 1092
#define IDC_PAGE_UPPER_BOX 1108
#define IDC_PAGE_LOWER_LABEL 1107
#define IDC_PAGE_SPACE_LINE 1115
#define IDC_PAGE_LOWER_BOX 1109
#define IDC_PAGE_LEFT_IMAGE 1117
#define IDC_PAGE_LEFT_TEXT 1116
#define IDC_PAGE_RIGHT_IMAGE 1114
#define IDC_PAGE_RIGHT_TEXT 1113
#define IDC_PAGE_SWITCH 1055
#define IDC_PAGE_SWITCH_AREA 1119
#define IDC_PAGE_SWITCH_LABEL 1118
