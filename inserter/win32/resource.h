// Resource and command identifiers of Vellix.exe; the end-to-end driver sends
// the menu commands by these numbers.
#pragma once

#define IDI_VELLIX 1
#define IDM_FILE_OPEN 101
#define IDM_FILE_EXIT 102
#define IDM_EDIT_INSERT 201
#define IDM_EDIT_RESTORE 202
#define IDM_SKIN_BASE 300  // + slot number, 9 to 37
#define IDC_FRAME1 1001
#define IDC_STATUS 1002
#define IDC_PICTURE1 1003
