// String ids of the driver's language resource files.
#pragma once

#define IDS_PAPER_80MM 1000
#define IDS_PAPER_58MM 1001
#define IDS_CUT_AFTER_JOB 1002
#define IDS_CUT_AFTER_PAGE 1003
#define IDS_OPEN_DRAWER 1004
