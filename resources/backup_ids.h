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
