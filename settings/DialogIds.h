// The settings dialog's template and control ids, for the resource script, the
// dialog code and its tests. Plain defines, so the resource compiler reads them.
#pragma once

#define IDD_CONFIG 2003

#define IDC_IMAGES_PER_SEC 1002
#define IDC_OBJECT_SIZE 1003
#define IDC_JOIN_THE_DOTS 1004

#define IDC_CIRCLE 1005
#define IDC_SQUARE 1006
#define IDC_DIAMOND 1007
#define IDC_EIGHT_POINT_STAR 1008
#define IDC_FOUR_POINT_STAR 1009
#define IDC_TRIANGLE 1010
#define IDC_PYRAMID 1011
#define IDC_SIX_POINT_STAR 1012

#define IDC_COLOUR_HIGH 1013
#define IDC_COLOUR_MEDIUM 1014
#define IDC_COLOUR_LOW 1015

#define IDC_ROTATION_NONE 1016
#define IDC_ROTATION_CLOCKWISE 1017
#define IDC_ROTATION_ANTICLOCKWISE 1018

#define IDC_ZOOM_HIGH 1029
#define IDC_ZOOM_MEDIUM 1030
#define IDC_ZOOM_LOW 1031
#define IDC_ZOOM_VERY_HIGH 1032
#define IDC_ZOOM_ONE_PHASE 1033
#define IDC_ZOOM_TWO_PHASE 1034
#define IDC_ZOOM_FOUR_PHASE 1035
#define IDC_ZOOM_START_SMALL 1039
#define IDC_ZOOM_START_LARGE 1040
