// String ids of Bexhook.rc.
#pragma once

#define IDS_DISABLE_FAILED 4
#define IDS_ENABLE_FAILED 5
