// Resource ids of the settings page, shared by page.rc and the page's code.
#ifndef ALTROWTINT_PAGE_RESOURCE_H
#define ALTROWTINT_PAGE_RESOURCE_H

#define IDD_SETTINGSPAGE 100

#define IDC_TEXT1_ENABLE 1000
#define IDC_TEXT1_SWATCH 1001
#define IDC_TEXT1_PICK 1002
#define IDC_TEXT2_ENABLE 1003
#define IDC_TEXT2_SWATCH 1004
#define IDC_TEXT2_PICK 1005
#define IDC_BK1_ENABLE 1006
#define IDC_BK1_SWATCH 1007
#define IDC_BK1_PICK 1008
#define IDC_BK2_ENABLE 1009
#define IDC_BK2_SWATCH 1010
#define IDC_BK2_PICK 1011

// Strings of the box that reports a save that failed.
#define IDS_SAVE_FAILED_CAPTION 200
#define IDS_SAVE_FAILED 201          // followed by the settings file's full path
#define IDS_SAVE_FAILED_NO_PATH 202  // the host's folder is too deep for the file's name

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
