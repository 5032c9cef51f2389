// Resource ids of the device's dialogs: the two eject questions and their controls.
#pragma once

#define IDD_DISABLE_SD_CONFIRM 192

#define IDC_EJECT_PICTURE 1115
#define IDC_EJECT_TITLE 1116
#define IDC_EJECT_MESSAGE 1083
#define IDC_EJECT_LEFT_IMAGE 1119
#define IDC_EJECT_LEFT_TEXT 1120
#define IDC_EJECT_RIGHT_IMAGE 1121
#define IDC_EJECT_RIGHT_TEXT 1122
