// Resource and control IDs of the test dialogs (Dialogs.rc), shared by the
// resource script and the scenarios.
#pragma once

#define IDD_ORDER 100
#define IDD_NOTE 101
#define IDD_EMPTY 102
#define IDD_CONTROLS 103
#define IDD_FIND 104
#define IDD_PAGE 105

#define IDC_CUSTOMER_LABEL 1001
#define IDC_CUSTOMER 1002
#define IDC_PRODUCT_LABEL 1003
#define IDC_PRODUCT 1004
#define IDC_ITEMS 1005
#define IDC_DELIVERY 1006
#define IDC_POST 1007
#define IDC_COURIER 1008
#define IDC_GIFT 1009
#define IDC_NOTE_GROUP 1010
#define IDC_NOTE 1011
#define IDC_NOTE_HINT 1012

#define IDC_CORNER 1101
#define IDC_EDITABLE_LABEL 1102
#define IDC_EDITABLE 1103
#define IDC_CHOICE 1104
#define IDC_DRAWN 1105
#define IDC_SIMPLE 1106
#define IDC_EXTENDED 1107
#define IDC_FILES 1108
#define IDC_DATE 1109
#define IDC_DUE 1110
#define IDC_COUNT 1111
#define IDC_COUNT_ARROWS 1112

#define IDC_FIND_LABEL 1201
#define IDC_FIND_TEXT 1202
#define IDC_REPLACE_LABEL 1203
#define IDC_REPLACE_TEXT 1204
#define IDC_MATCH_CASE 1205
#define IDC_WHOLE_WORD 1206
#define IDC_FIND_NEXT 1207
#define IDC_REPLACE 1208
#define IDC_COUNT_ALL 1209
#define IDC_REGEX 1210
#define IDC_PAGE_GROUP 1211
#define IDC_PAGE_OPTION 1212
