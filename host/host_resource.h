// Resource ids of the reference host, shared by its .rc files and its code. Every text the host
// shows is a string or menu resource, in English (host_en.rc) and in Japanese (host_ja.rc).
// Texts with inserts follow FormatMessage's conventions: %1, %2 ... stand for the inserts.
#ifndef REFHOST_HOST_RESOURCE_H
#define REFHOST_HOST_RESOURCE_H

#define IDR_MAIN_MENU 100  // its commands are in refhost_protocol.h

// Windows and the status bar.
#define IDS_WINDOW_TITLE 1000
#define IDS_SETTINGS_CAPTION 1001
#define IDS_STATUS_STARTUP 1002         // %1 rows, %2 the plug-ins running
#define IDS_NO_PLUGINS 1003             // %2 of IDS_STATUS_STARTUP when none runs
#define IDS_STATUS_SETTINGS_PAGES 1004  // %1 the pages' paths
#define IDS_SETTINGS_RELOADED 1005
#define IDS_LIST_SEPARATOR 1006      // between the names of a list
#define IDS_PROBLEM_SEPARATOR 1007   // between two problems
#define IDS_STATUS_SEPARATOR 1008    // between the status and the problems
#define IDS_WITH_SYSTEM_REASON 1009  // %1 the host's sentence, %2 the system's words
#define IDS_UNKNOWN_ERROR 1010       // %1 an error code the system has no words for

// The command line and what the host prints.
#define IDS_HELP 1020
#define IDS_UNKNOWN_SWITCH 1021  // %1 the switch
#define IDS_SCREENSHOT_NEEDS_PATH 1022
#define IDS_SCREENSHOT_SAVED 1023  // %1 the path

// Problems of the host itself.
#define IDS_NO_MAIN_WINDOW 1030
#define IDS_SETTINGS_DIALOG_FAILED 1031
// The screenshot could not be saved as %1, at one of these steps.
#define IDS_SCREENSHOT_COM 1032
#define IDS_SCREENSHOT_COPY_WINDOW 1033
#define IDS_SCREENSHOT_IMAGING 1034
#define IDS_SCREENSHOT_HAND_OVER 1035
#define IDS_SCREENSHOT_CREATE_FILE 1036
#define IDS_SCREENSHOT_ENCODE 1037

// Problems with plug-ins: %1 is the module's file name unless said otherwise.
#define IDS_PATH_UNKNOWN_NO_PLUGINS 1040
#define IDS_NO_FOLDER_NO_PLUGINS 1041  // %1 the folder
#define IDS_FOLDER_EMPTY 1042          // %1 the folder
#define IDS_NOT_LOADABLE 1043          // %2 the host's bitness
#define IDS_OTHER_BITNESS 1044         // %2 the module's bitness, %3 the host's
#define IDS_NO_EXPORT 1045             // %2 the export
#define IDS_NO_RECORD 1046             // %2 the export
#define IDS_RECORD_OUTSIDE 1047        // %2 the export
#define IDS_CALLBACK_OUTSIDE 1048      // %2 the export
#define IDS_RECORD_DOES_NOTHING 1049
#define IDS_PROBE_DECLINED 1050
#define IDS_NO_PAGE_FROM 1051
// No plug-in offers a settings page, and why.
#define IDS_NO_PAGE_PLUGINS_GAVE_NONE 1053
#define IDS_NO_PAGE_PATH_UNKNOWN 1054
#define IDS_NO_PAGE_NO_FOLDER 1055         // %1 the folder
#define IDS_NO_PAGE_NO_CONFIG_PLUGIN 1056  // %1 the extension, %2 the folder

// The inventory list: column titles, the words of its cells and how they are put together.
#define IDS_COLUMN_NUMBER 1100
#define IDS_COLUMN_ITEM 1101
#define IDS_COLUMN_CATEGORY 1102
#define IDS_COLUMN_LOCATION 1103
#define IDS_COLUMN_QUANTITY 1104
#define IDS_COLUMN_PRICE 1105
#define IDS_ITEM 1106      // %1 material, %2 part, %3 size
#define IDS_LOCATION 1107  // %1 aisle, %2 shelf
#define IDS_MATERIAL_STEEL 1110
#define IDS_MATERIAL_BRASS 1111
#define IDS_MATERIAL_NYLON 1112
#define IDS_MATERIAL_COPPER 1113
#define IDS_MATERIAL_OAK 1114
#define IDS_MATERIAL_ZINC 1115
#define IDS_MATERIAL_RUBBER 1116
#define IDS_MATERIAL_ALUMINIUM 1117
#define IDS_PART_HINGE 1120
#define IDS_PART_BRACKET 1121
#define IDS_PART_WASHER 1122
#define IDS_PART_HEX_BOLT 1123
#define IDS_PART_PULLEY 1124
#define IDS_PART_CLAMP 1125
#define IDS_PART_GASKET 1126
#define IDS_PART_SPRING 1127
#define IDS_PART_BEARING 1128
#define IDS_PART_VALVE 1129
#define IDS_PART_COUPLING 1130
#define IDS_PART_CABLE_TIE 1131
#define IDS_CATEGORY_HARDWARE 1140
#define IDS_CATEGORY_FASTENERS 1141
#define IDS_CATEGORY_DRIVE 1142
#define IDS_CATEGORY_SEALS 1143
#define IDS_CATEGORY_PLUMBING 1144
#define IDS_CATEGORY_ELECTRICAL 1145

#endif
