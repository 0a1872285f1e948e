// Ids of the multicast filtering mode dialog (resources/mfilter.rc).
#pragma once

// Multicast Filtering Mode Configuration (CMultiFilterModeConfig)
#define IDD_MULTICAST_FILTER            195
#define IDC_MFILTER_VLAN                6171
#define IDC_MFILTER_MODE                6172
#define IDC_MFILTER_ALL                 6173
#define IDC_MFILTER_APPLY               6174
#define IDC_MFILTER_REFRESH             6175
#define IDC_MFILTER_LIST                6176
