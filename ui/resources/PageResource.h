#pragma once
// Resource ids of the wizard pages: templates, controls and bitmaps.

// Templates.
#define IDD_FOLDER 2008
#define IDD_DIR_BROWSER 165
#define IDD_TARGET_LOCATIONS 2001
#define IDD_TARGET 2002
#define IDD_SUMMARY 2009
#define IDD_SERVER 2010
#define IDD_ASK_YES_NO 2011
#define IDD_WELCOME 2012
#define IDD_LICENSE 2014
#define IDD_FINISHED 2015
#define IDD_FINISHED_RESTART 2016
#define IDD_ADD_REMOVE 2017
#define IDD_SETUP_TYPE 2018
#define IDD_SERVER_NAME 2019
#define IDD_COMPLIANT_PRODUCTS 2020
#define IDD_OPERATION_MODE 2021
#define IDD_MESSAGE 2022
#define IDD_USER_PASSWORD 2024
#define IDD_DEPENDENCY_ERRORS 2040
#define IDD_FEATURES 109

// The picture at the left of every page.
#define IDB_PAGE_PICTURE 2006

// The feature page's state icons, drawn in its list and legend.
#define IDB_INSTALLED 2013
#define IDB_BLANK_ICON 2021
#define IDB_NOT_FOR_THIS_OS 2031
#define IDB_NOT_FOR_95 2032
#define IDB_NOT_FOR_98 2033
#define IDB_NOT_FOR_NT 2034

// The page frame's buttons (1 and 2 are IDOK and IDCANCEL).
#define IDC_BACK 3

// The Advanced button of the framework server pages.
#define IDC_ADVANCED 4

// Controls of the pages.
#define IDC_LIST 1006
#define IDC_TYPE_BUTTON1 1016
#define IDC_TYPE_BUTTON2 1017
#define IDC_TYPE_BUTTON3 1018
#define IDC_TYPE_BUTTON4 1019
#define IDC_INSTALL_BUTTON 1016
#define IDC_UNINSTALL_BUTTON 1017
#define IDC_USER_EDIT 1020
#define IDC_YES_RADIO 1021
#define IDC_NO_RADIO 1022
#define IDC_PASSWORD_EDIT 1021
#define IDC_QUESTION_TEXT 1023
#define IDC_TEXT1 1024
#define IDC_TEXT2 1025
#define IDC_USER_LABEL 1041
#define IDC_PASSWORD_LABEL 1042
#define IDC_FORCE_CORE 1044
#define IDC_MAIN_TEXT 2019
#define IDC_TYPE_TEXT1 2025
#define IDC_TYPE_TEXT2 2026
#define IDC_TYPE_TEXT3 2027
#define IDC_TYPE_TEXT4 2028

// The program folder page.
#define IDC_PROGRAM_FOLDER_EDIT 1020
#define IDC_FOLDER_LIST 1006

// The framework server pages.
#define IDC_SERVER_EDIT 1020
#define IDC_USE_SERVER_RADIO 1021
#define IDC_LATER_SERVER_RADIO 1022
#define IDC_NO_SERVER_RADIO 1023
#define IDC_COMPLIANT_PRODUCT_LIST 1029
// Controls of the feature page.
#define IDC_FOLDER_GROUP 1019
#define IDC_EMPTY_TEXT 1030
#define IDC_LEGEND_TEXT1 1032
#define IDC_LEGEND_TEXT2 1033
#define IDC_LEGEND_TEXT3 1034
#define IDC_LEGEND_ICON1 1036
#define IDC_LEGEND_ICON2 1044
#define IDC_LEGEND_ICON3 1045
#define IDC_FEATURE_LIST 2000
#define IDC_DESCRIPTION 2001
#define IDC_SUBCOMPONENTS 2002
#define IDC_PRODUCT_LIST 2003
#define IDC_FOLDER_PATH 2005
#define IDC_CHANGE_FOLDER 2006
#define IDC_SPACE_REQUIRED_LABEL 2007
#define IDC_SPACE_AVAILABLE_LABEL 2008
#define IDC_SPACE_REQUIRED 2009
#define IDC_SPACE_AVAILABLE 2010
#define IDC_SYSTEM_REQUIRED_LABEL 2015
#define IDC_SYSTEM_AVAILABLE_LABEL 2016
#define IDC_SYSTEM_REQUIRED 2017
#define IDC_SYSTEM_AVAILABLE 2018
// The destination pages (templates 2002 and 2001).
#define IDC_LOCATIONS_LIST 2010
#define IDC_MODIFY 2011
#define IDC_TARGET_PATH 2013
#define IDC_BROWSE 2014
#define IDC_TARGET_TEXT 2015
#define IDC_LOCATION_PATH 2016

// The directory browser (template 165): its own controls, and the standard ones of the
// open-file dialog that the template must hold (dlgs.h: stc1..stc4, edt1, lst1, lst2, cmb1,
// cmb2, pshHelp, chx1), most of them hidden.
#define IDC_FOLDER_EDIT 1003
#define IDC_FOLDER_LABEL 1004
// The label of the folder list has an id of its own: a static of id -1 is what marks a message box.
#define IDC_FOLDERS_LABEL 1005
#define IDC_BROWSER_OPEN 182
#define IDC_BROWSER_CANCEL 183
#define IDC_OFN_DIR_TEXT 1088
#define IDC_OFN_TYPE_LABEL 1089
#define IDC_OFN_NAME_LABEL 1090
#define IDC_OFN_DRIVE_LABEL 1091
#define IDC_OFN_NAME_EDIT 1152
#define IDC_OFN_FILES 1120
#define IDC_OFN_FOLDERS 1121
#define IDC_OFN_TYPES 1136
#define IDC_OFN_DRIVES 1137
#define IDC_OFN_HELP 1038
#define IDC_OFN_READONLY 1040

// A row's text on the computer configuration type page is its button id plus this.
#define TYPE_TEXT_OFFSET 1009
