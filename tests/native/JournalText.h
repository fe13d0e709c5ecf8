// The simulated machine's journal as short texts, for tests that assert the
// order of platform calls.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

// "Function(args)" of every journaled call of the named functions, in order;
// all calls when no names are given.
std::vector<std::string> JournalOf(CSimMachine& sim, std::initializer_list<const char*> functions = {});
// Only the names, in order.
std::vector<std::string> NamesOf(CSimMachine& sim, std::initializer_list<const char*> functions = {});
// The journal's text of HKEY_LOCAL_MACHINE as an argument.
std::string HklmText();
