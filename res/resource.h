// Resource identifiers of Tavrin.dll.
#pragma once
#define IDD_TOOLMGR_DLG 6000
