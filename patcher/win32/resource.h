// Resource identifiers of Morrent.exe.
#pragma once

#define IDI_MORRENT 1
#define IDB_BACKGROUND 2
#define IDC_STATUS 1002
#define IDC_PICTURE1 1003
