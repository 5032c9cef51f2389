// Every catalog key: the string ids of its English, Traditional Chinese and Japanese entries.
#pragma once

#include "base/CatalogKey.h"

namespace yk {

inline constexpr CatalogKey IDS_CONFIRM_QUIT{103, 1002, 3002};
inline constexpr CatalogKey IDS_AUTO_BACKUP{104, 1003, 3003};
inline constexpr CatalogKey IDS_SECURE_BACKUP{105, 1004, 3004};
inline constexpr CatalogKey IDS_SET_BACKUP_PATH{106, 1005, 3005};
inline constexpr CatalogKey IDS_SET_DEFAULT_PASSWORD{107, 1006, 3006};
inline constexpr CatalogKey IDS_SELECT_BACKUP_PATH{108, 1007, 3007};
inline constexpr CatalogKey IDS_DEVICE_INFORMATION{109, 1008, 3008};
inline constexpr CatalogKey IDS_PRIVACY_POLICY{110, 1009, 3009};
inline constexpr CatalogKey IDS_USER_GUIDE{111, 1010, 3010};
inline constexpr CatalogKey IDS_CONTACT_US{112, 1011, 3011};
inline constexpr CatalogKey IDS_APP_FAQ{113, 1012, 3012};
inline constexpr CatalogKey IDS_VOLTAGE_CURRENT{114, 1013, 3013};
inline constexpr CatalogKey IDS_VERIFY_PASSWORD_FAILED{115, 1014, 3014};
inline constexpr CatalogKey IDS_NEW_PASSWORD_SAVED{116, 1015, 3015};
inline constexpr CatalogKey IDS_BROWSE{117, 1016, 3016};
inline constexpr CatalogKey IDS_DIRECTORY_INVALID{118, 1017, 3017};
inline constexpr CatalogKey IDS_PASSWORD_TOO_LONG{119, 1018, 3018};
inline constexpr CatalogKey IDS_DEVICE_NOT_FOUND{120, 1019, 3019};
inline constexpr CatalogKey IDS_INPUT_PASSWORD{121, 1020, 3020};
inline constexpr CatalogKey IDS_SET_PATH_AGAIN{122, 1021, 3021};
inline constexpr CatalogKey IDS_NORMAL_RESTORE{124, 1023, 3023};
inline constexpr CatalogKey IDS_DECRYPT_RESTORE{125, 1024, 3024};
inline constexpr CatalogKey IDS_SELECT_DATE_RANGE{126, 1027, 3027};
inline constexpr CatalogKey IDS_INVALID_DATE_RANGE{128, 1045, 3045};
inline constexpr CatalogKey IDS_BACKUP_RESTORE_PATH{130, 1047, 3047};
inline constexpr CatalogKey IDS_INPUT_DEFAULT_PASSWORD{131, 1048, 3048};
inline constexpr CatalogKey IDS_RUN_IN_PROGRESS{132, 1049, 3049};
inline constexpr CatalogKey IDS_CREATE_DIRECTORY_FAIL{133, 1050, 3050};
inline constexpr CatalogKey IDS_DISK_SPACE_LOW{134, 1051, 3051};
inline constexpr CatalogKey IDS_SD_SPACE_LOW{135, 1100, 3100};
inline constexpr CatalogKey IDS_RESTORE_ALL{137, 1054, 3054};
inline constexpr CatalogKey IDS_DATE_RANGE_TITLE{138, 1055, 3055};
inline constexpr CatalogKey IDS_START_DATE{139, 1056, 3056};
inline constexpr CatalogKey IDS_END_DATE{140, 1057, 3057};
inline constexpr CatalogKey IDS_RESTORE_DATE_RANGE{141, 1058, 3058};
inline constexpr CatalogKey IDS_RESTORING{142, 1059, 3059};
inline constexpr CatalogKey IDS_BACKING_UP{143, 1060, 3060};
inline constexpr CatalogKey IDS_ITEMS{144, 1029, 3029};
inline constexpr CatalogKey IDS_TO{145, 1030, 3030};
inline constexpr CatalogKey IDS_CONFIRM_EJECT{146, 1031, 3031};
inline constexpr CatalogKey IDS_BACKUP{147, 1032, 3032};
inline constexpr CatalogKey IDS_RESTORE{148, 1033, 3033};
inline constexpr CatalogKey IDS_OPERATION{149, 1034, 3034};
inline constexpr CatalogKey IDS_HELP{150, 1035, 3035};
inline constexpr CatalogKey IDS_SETTINGS{151, 1036, 3036};
inline constexpr CatalogKey IDS_INPUT_NEW_PASSWORD{152, 1037, 3037};
inline constexpr CatalogKey IDS_VERIFY_PASSWORD{153, 1038, 3038};
inline constexpr CatalogKey IDS_SETTING{154, 1039, 3039};
inline constexpr CatalogKey IDS_COMPLETE{155, 1040, 3040};
inline constexpr CatalogKey IDS_FAIL{156, 1041, 3041};
inline constexpr CatalogKey IDS_RESULT_CANCEL{157, 1042, 3042};
inline constexpr CatalogKey IDS_UNDONE{159, 1044, 3044};
inline constexpr CatalogKey IDS_SD_NOT_ENABLED{162, 1063, 3063};
inline constexpr CatalogKey IDS_NO_ITEMS_TO{164, 1065, 3065};
inline constexpr CatalogKey IDS_EJECT_SD_TITLE{165, 1066, 3066};
inline constexpr CatalogKey IDS_EJECT_OTHER_PORT{166, 1067, 3067};
inline constexpr CatalogKey IDS_EJECT_WARNING{167, 1068, 3068};
inline constexpr CatalogKey IDS_INPUT_OLD_PASSWORD{168, 1069, 3069};
inline constexpr CatalogKey IDS_PASSWORD_ERROR{169, 1070, 3070};
inline constexpr CatalogKey IDS_UPDATE_PROMPT{170, 1071, 3071};
inline constexpr CatalogKey IDS_SET_ENCRYPT_PASSWORD{171, 1072, 3072};
inline constexpr CatalogKey IDS_EJECT_SD{173, 1074, 3074};
inline constexpr CatalogKey IDS_AUTO_LAUNCH{174, 1075, 3075};
inline constexpr CatalogKey IDS_NOT_INSTALL_PATH{175, 1076, 3076};
inline constexpr CatalogKey IDS_APP_NAME{176, 1097, 3097};
inline constexpr CatalogKey IDS_LAUNCH{177, 1098, 3098};
inline constexpr CatalogKey IDS_QUIT{178, 1099, 3099};
inline constexpr CatalogKey IDS_SD_UNUSED{179, 1102, 3102};
inline constexpr CatalogKey IDS_SD_IN_USE{180, 1103, 3103};
inline constexpr CatalogKey IDS_FILE_BROWSER{181, 1104, 3104};
inline constexpr CatalogKey IDS_DESTINATION_UNAVAILABLE{182, 1105, 3105};
inline constexpr CatalogKey IDS_CHANGE_PATH{183, 1106, 3106};
inline constexpr CatalogKey IDS_BACKUP_SOURCE{184, 1107, 3107};
inline constexpr CatalogKey IDS_BACKUP_DESTINATION{185, 1108, 3108};
inline constexpr CatalogKey IDS_RESTORE_DESTINATION{186, 1109, 3109};
inline constexpr CatalogKey IDS_RESTORE_SOURCE{187, 1110, 3110};
inline constexpr CatalogKey IDS_START_BACKUP{188, 1111, 3111};
inline constexpr CatalogKey IDS_CHANGE{189, 1112, 3112};
inline constexpr CatalogKey IDS_SET{190, 1113, 3113};
inline constexpr CatalogKey IDS_PASSWORD_SET{191, 1114, 3114};
inline constexpr CatalogKey IDS_PASSWORD_NOT_SET{192, 1115, 3115};
inline constexpr CatalogKey IDS_UPDATE{193, 1116, 3116};
inline constexpr CatalogKey IDS_SD_CARD{194, 1117, 3117};
inline constexpr CatalogKey IDS_SD_CARD_NOT_DETECTED{195, 1118, 3118};
inline constexpr CatalogKey IDS_APP_VERSION{196, 1119, 3119};
inline constexpr CatalogKey IDS_APP_LATEST{197, 1120, 3120};
inline constexpr CatalogKey IDS_NEW_VERSION_RELEASED{198, 1121, 3121};
inline constexpr CatalogKey IDS_DEVICE_STATUS{199, 1122, 3122};
inline constexpr CatalogKey IDS_MANUFACTURER{200, 1077, 3077};
inline constexpr CatalogKey IDS_MODEL{201, 1078, 3078};
inline constexpr CatalogKey IDS_SERIAL_NUMBER{202, 1079, 3079};
inline constexpr CatalogKey IDS_PRODUCT_NUMBER{203, 1080, 3080};
inline constexpr CatalogKey IDS_FW_VERSION{204, 1081, 3081};
inline constexpr CatalogKey IDS_HW_VERSION{205, 1082, 3082};
inline constexpr CatalogKey IDS_APP_VERSION_LABEL{206, 1083, 3083};
inline constexpr CatalogKey IDS_USB_A{207, 1084, 3084};
inline constexpr CatalogKey IDS_USB_C{208, 1085, 3085};
inline constexpr CatalogKey IDS_OTHER{209, 1123, 3123};
inline constexpr CatalogKey IDS_NORMAL_BACKUP{210, 1025, 3025};
inline constexpr CatalogKey IDS_ENCRYPT_BACKUP{211, 1026, 3026};
inline constexpr CatalogKey IDS_AUTO_BACKUP_ON_CONNECT{212, 1124, 3124};
inline constexpr CatalogKey IDS_TOTAL{213, 1125, 3125};
inline constexpr CatalogKey IDS_CANCEL{216, 1088, 3088};
inline constexpr CatalogKey IDS_OK{217, 1089, 3089};
inline constexpr CatalogKey IDS_YES{218, 1090, 3090};
inline constexpr CatalogKey IDS_NO{219, 1091, 3091};
inline constexpr CatalogKey IDS_FREE{220, 1126, 3126};
inline constexpr CatalogKey IDS_SET_BACKUP_SOURCE{221, 1127, 3127};
inline constexpr CatalogKey IDS_CHECK_BACKUP_PATH{224, 1094, 3094};
inline constexpr CatalogKey IDS_SELECT_SD_DIRECTORY{226, 1096, 3096};
inline constexpr CatalogKey IDS_ENABLE_SD_FAILED{227, 1052, 3052};
inline constexpr CatalogKey IDS_PATH_UNAVAILABLE{228, 1128, 3128};
inline constexpr CatalogKey IDS_ENCRYPT_PATH_UNAVAILABLE{229, 1129, 3129};
inline constexpr CatalogKey IDS_HOME_SD_STANDBY{233, 1136, 3136};
inline constexpr CatalogKey IDS_HOME_CONNECTED{234, 1132, 3132};
inline constexpr CatalogKey IDS_HOME_SD_IN_PHONE{235, 1133, 3133};
inline constexpr CatalogKey IDS_HOME_NOT_CONNECTED{236, 1134, 3134};
inline constexpr CatalogKey IDS_HOME_SD_NOT_DETECTED{237, 1135, 3135};
inline constexpr CatalogKey IDS_CURRENT_VERSION{238, 1137, 3137};
inline constexpr CatalogKey IDS_NEW_VERSION_LABEL{239, 1138, 3138};

// All keys, for checks that walk the whole catalog.
inline constexpr CatalogKey kAllCatalogKeys[] = {
    IDS_CONFIRM_QUIT,
    IDS_AUTO_BACKUP,
    IDS_SECURE_BACKUP,
    IDS_SET_BACKUP_PATH,
    IDS_SET_DEFAULT_PASSWORD,
    IDS_SELECT_BACKUP_PATH,
    IDS_DEVICE_INFORMATION,
    IDS_PRIVACY_POLICY,
    IDS_USER_GUIDE,
    IDS_CONTACT_US,
    IDS_APP_FAQ,
    IDS_VOLTAGE_CURRENT,
    IDS_VERIFY_PASSWORD_FAILED,
    IDS_NEW_PASSWORD_SAVED,
    IDS_BROWSE,
    IDS_DIRECTORY_INVALID,
    IDS_PASSWORD_TOO_LONG,
    IDS_DEVICE_NOT_FOUND,
    IDS_INPUT_PASSWORD,
    IDS_SET_PATH_AGAIN,
    IDS_NORMAL_RESTORE,
    IDS_DECRYPT_RESTORE,
    IDS_SELECT_DATE_RANGE,
    IDS_INVALID_DATE_RANGE,
    IDS_BACKUP_RESTORE_PATH,
    IDS_INPUT_DEFAULT_PASSWORD,
    IDS_RUN_IN_PROGRESS,
    IDS_CREATE_DIRECTORY_FAIL,
    IDS_DISK_SPACE_LOW,
    IDS_SD_SPACE_LOW,
    IDS_RESTORE_ALL,
    IDS_DATE_RANGE_TITLE,
    IDS_START_DATE,
    IDS_END_DATE,
    IDS_RESTORE_DATE_RANGE,
    IDS_RESTORING,
    IDS_BACKING_UP,
    IDS_ITEMS,
    IDS_TO,
    IDS_CONFIRM_EJECT,
    IDS_BACKUP,
    IDS_RESTORE,
    IDS_OPERATION,
    IDS_HELP,
    IDS_SETTINGS,
    IDS_INPUT_NEW_PASSWORD,
    IDS_VERIFY_PASSWORD,
    IDS_SETTING,
    IDS_COMPLETE,
    IDS_FAIL,
    IDS_RESULT_CANCEL,
    IDS_UNDONE,
    IDS_SD_NOT_ENABLED,
    IDS_NO_ITEMS_TO,
    IDS_EJECT_SD_TITLE,
    IDS_EJECT_OTHER_PORT,
    IDS_EJECT_WARNING,
    IDS_INPUT_OLD_PASSWORD,
    IDS_PASSWORD_ERROR,
    IDS_UPDATE_PROMPT,
    IDS_SET_ENCRYPT_PASSWORD,
    IDS_EJECT_SD,
    IDS_AUTO_LAUNCH,
    IDS_NOT_INSTALL_PATH,
    IDS_APP_NAME,
    IDS_LAUNCH,
    IDS_QUIT,
    IDS_SD_UNUSED,
    IDS_SD_IN_USE,
    IDS_FILE_BROWSER,
    IDS_DESTINATION_UNAVAILABLE,
    IDS_CHANGE_PATH,
    IDS_BACKUP_SOURCE,
    IDS_BACKUP_DESTINATION,
    IDS_RESTORE_DESTINATION,
    IDS_RESTORE_SOURCE,
    IDS_START_BACKUP,
    IDS_CHANGE,
    IDS_SET,
    IDS_PASSWORD_SET,
    IDS_PASSWORD_NOT_SET,
    IDS_UPDATE,
    IDS_SD_CARD,
    IDS_SD_CARD_NOT_DETECTED,
    IDS_APP_VERSION,
    IDS_APP_LATEST,
    IDS_NEW_VERSION_RELEASED,
    IDS_DEVICE_STATUS,
    IDS_MANUFACTURER,
    IDS_MODEL,
    IDS_SERIAL_NUMBER,
    IDS_PRODUCT_NUMBER,
    IDS_FW_VERSION,
    IDS_HW_VERSION,
    IDS_APP_VERSION_LABEL,
    IDS_USB_A,
    IDS_USB_C,
    IDS_OTHER,
    IDS_NORMAL_BACKUP,
    IDS_ENCRYPT_BACKUP,
    IDS_AUTO_BACKUP_ON_CONNECT,
    IDS_TOTAL,
    IDS_CANCEL,
    IDS_OK,
    IDS_YES,
    IDS_NO,
    IDS_FREE,
    IDS_SET_BACKUP_SOURCE,
    IDS_CHECK_BACKUP_PATH,
    IDS_SELECT_SD_DIRECTORY,
    IDS_ENABLE_SD_FAILED,
    IDS_PATH_UNAVAILABLE,
    IDS_ENCRYPT_PATH_UNAVAILABLE,
    IDS_HOME_SD_STANDBY,
    IDS_HOME_CONNECTED,
    IDS_HOME_SD_IN_PHONE,
    IDS_HOME_NOT_CONNECTED,
    IDS_HOME_SD_NOT_DETECTED,
    IDS_CURRENT_VERSION,
    IDS_NEW_VERSION_LABEL,
};

} // namespace yk
