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

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
