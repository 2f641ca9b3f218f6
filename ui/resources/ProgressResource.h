#pragma once
// Resource ids of the progress window.
#define IDD_PROGRESS 102
#define IDC_PROGRESS_STEP 2019
#define IDC_PROGRESS_BAR 1004
#define IDC_PROGRESS_TEXT 1025
#define IDC_PROGRESS_TIME 1026
