// Resource and control ids, shared by the resource script and the code.
#pragma once

// Dialog templates
#define IDD_ABOUT 103
#define IDD_BOARD 129
#define IDD_MESSAGE 133

// Menu and its commands
#define IDR_MAINMENU 109
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_RULES 32771
#define IDM_USAGE 32772

// Strings
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Icons
#define IDI_LARGE 107
#define IDI_SMALL 108

// Bitmaps: stick faces, lever, animation frames, logo
#define IDB_PRESENT 130
#define IDB_SELECTED 131
#define IDB_REMOVED 132
#define IDB_LIGHTNING 134
#define IDB_HOLES_FEW 135
#define IDB_HOLES_REMNANTS 136
#define IDB_HOLES_LARGE 137
#define IDB_GRID_COARSE 138
#define IDB_GRID_FINE 139
#define IDB_GRID_STRIPS 140
#define IDB_BURST_SMALL 141
#define IDB_BURST_LARGE 142
#define IDB_FRAGMENTS_TWO 143
#define IDB_FRAGMENT_ONE 144
#define IDB_WISP 145
#define IDB_CURLED 146
#define IDB_SPARKS 147
#define IDB_LOGO 149
#define IDB_LEVER_HIGH 150
#define IDB_LEVER_LOW 151

// Board dialog controls
#define IDC_FIRST_BUTTON 1009
#define IDC_SECOND_BUTTON 1017
#define IDC_FIRST_LABEL 1018
#define IDC_SECOND_LABEL 1019
#define IDC_STATUS 1022
#define IDC_LEVER 1024
#define IDC_LEVER_HIGH 1025
#define IDC_LEVER_LOW 1026

// About dialog fields
#define IDC_ABOUT_VERSION 1023
#define IDC_ABOUT_MAKER 1024
#define IDC_ABOUT_TOWN 1025
#define IDC_ABOUT_EMAIL 1026
#define IDC_ABOUT_WEB 1027
