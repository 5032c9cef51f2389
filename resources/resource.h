// Resource ids of the program: dialog templates, controls, icons and menus.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_YARROWKEEP_DIALOG 102
