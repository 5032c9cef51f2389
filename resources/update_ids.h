// Resource ids of the update dialog and its controls.
#pragma once

#define IDD_AUTO_UPDATE 201

#define IDC_UPDATE_PICTURE 1160
#define IDC_UPDATE_MESSAGE 1161
// The version line; while the installer downloads it is the progress line.
#define IDC_UPDATE_VERSION_LINE 1162
#define IDC_UPDATE_LEFT_IMAGE 1163
#define IDC_UPDATE_LEFT_TEXT 1164
#define IDC_UPDATE_RIGHT_IMAGE 1165
#define IDC_UPDATE_RIGHT_TEXT 1166
