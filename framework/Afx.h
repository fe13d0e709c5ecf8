// The framework in one include: strings, arrays, windows, dialogs, data
// exchange, controls, GDI and the application object.
#pragma once

#include "framework/AfxApp.h"
#include "framework/AfxColl.h"
#include "framework/AfxControls.h"
#include "framework/AfxDdx.h"
#include "framework/AfxDialog.h"
#include "framework/AfxGdi.h"
#include "framework/AfxString.h"
#include "framework/AfxWnd.h"
#include "framework/DialogTemplate.h"
