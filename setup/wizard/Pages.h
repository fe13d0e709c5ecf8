// The wizard's pages and the progress window.
#pragma once

#include "setup/wizard/LicensePage.h"
#include "setup/wizard/ModePage.h"
#include "setup/wizard/ModelPage.h"
#include "setup/wizard/OsPage.h"
#include "setup/wizard/PortPage.h"
#include "setup/wizard/ProgressPage.h"
