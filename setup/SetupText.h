// The installer's text table and its process-wide table of section "Message".
#pragma once

#include "common/TextTable.h"

typedef CSetupTextTable CTextTable;

extern CTextTable g_textMessage;
