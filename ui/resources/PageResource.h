#pragma once
// Resource ids of the wizard pages: templates, controls and bitmaps.

// Templates.
#define IDD_FOLDER 2008
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

// The picture at the left of every page.
#define IDB_PAGE_PICTURE 2006

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
#define IDC_FOLDER_EDIT 1020
#define IDC_FOLDER_LIST 1006

// The framework server pages.
#define IDC_SERVER_EDIT 1020
#define IDC_USE_SERVER_RADIO 1021
#define IDC_LATER_SERVER_RADIO 1022
#define IDC_NO_SERVER_RADIO 1023
#define IDC_PRODUCT_LIST 1029

// A row's text on the computer configuration type page is its button id plus this.
#define TYPE_TEXT_OFFSET 1009
