// Resource ids of the device's dialogs: the two eject questions, the device information and the voltage and
// current dialogs, and their controls.
#pragma once

#define IDD_DISABLE_SD_CONFIRM 192

#define IDC_EJECT_PICTURE 1130
#define IDC_EJECT_TITLE 1131
#define IDC_EJECT_MESSAGE 1132
#define IDC_EJECT_LEFT_IMAGE 1133
#define IDC_EJECT_LEFT_TEXT 1134
#define IDC_EJECT_RIGHT_IMAGE 1135
#define IDC_EJECT_RIGHT_TEXT 1136

#define IDD_DEVICE_INFORMATION 165
#define IDD_VOLTAGE_CURRENT 166

// Device information: seven labels, then their seven values in the same order.
#define IDC_INFO_MANUFACTURER_LABEL 1057
#define IDC_INFO_MODEL_LABEL 1058
#define IDC_INFO_SERIAL_LABEL 1059
#define IDC_INFO_PRODUCT_LABEL 1060
#define IDC_INFO_FIRMWARE_LABEL 1061
#define IDC_INFO_HARDWARE_LABEL 1062
#define IDC_INFO_APP_VERSION_LABEL 1063
#define IDC_INFO_MANUFACTURER 1064
#define IDC_INFO_MODEL 1065
#define IDC_INFO_SERIAL 1066
#define IDC_INFO_PRODUCT 1067
#define IDC_INFO_FIRMWARE 1068
#define IDC_INFO_HARDWARE 1069
#define IDC_INFO_APP_VERSION 1070

// Voltage and current: the two port labels and their lines.
#define IDC_POWER_USB_A_LABEL 1073
#define IDC_POWER_USB_C_LABEL 1074
#define IDC_POWER_USB_A 1075
#define IDC_POWER_USB_C 1076

// Both: the picture and the title.
#define IDC_DEVICE_DIALOG_PICTURE 1115
#define IDC_DEVICE_DIALOG_TITLE 1116
