// Resource ids of the device's dialogs: the two eject questions and their controls.
#pragma once

#define IDD_DISABLE_SD_CONFIRM 192

#define IDC_EJECT_PICTURE 1130
#define IDC_EJECT_TITLE 1131
#define IDC_EJECT_MESSAGE 1132
#define IDC_EJECT_LEFT_IMAGE 1133
#define IDC_EJECT_LEFT_TEXT 1134
#define IDC_EJECT_RIGHT_IMAGE 1135
#define IDC_EJECT_RIGHT_TEXT 1136
