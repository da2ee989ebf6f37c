// Resource and control IDs of the contact dialog, shared by its resource script
// and its program.
#pragma once

#define IDD_CONTACT 100

#define IDC_NAME_LABEL 1001
#define IDC_NAME 1002
#define IDC_EMAIL_LABEL 1003
#define IDC_EMAIL 1004
#define IDC_COUNTRY_LABEL 1005
#define IDC_COUNTRY 1006
#define IDC_GROUPS_LABEL 1007
#define IDC_GROUPS 1008
#define IDC_CONTACT_BY 1009
#define IDC_BY_EMAIL 1010
#define IDC_BY_PHONE 1011
#define IDC_BY_LETTER 1012
#define IDC_NEWSLETTER 1013
#define IDC_NOTES_LABEL 1014
#define IDC_NOTES 1015
