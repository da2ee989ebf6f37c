// Resource and control IDs of the test dialogs (Dialogs.rc), shared by the
// resource script and the scenarios.
#pragma once

#define IDD_ORDER 100
#define IDD_NOTE 101
#define IDD_EMPTY 102

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
