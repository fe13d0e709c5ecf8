#include "tests/native/JournalText.h"

#include <algorithm>

#include "platform/sim/sim_text.h"

namespace {

bool Wanted(const std::string& function, std::initializer_list<const char*> functions)
{
    return functions.size() == 0 ||
           std::any_of(functions.begin(), functions.end(), [&](const char* name) { return function == name; });
}

}  // namespace

std::vector<std::string> JournalOf(CSimMachine& sim, std::initializer_list<const char*> functions)
{
    std::vector<std::string> texts;
    for (const SSimCall& call : sim.Journal().Calls()) {
        if (Wanted(call.m_strFunction, functions))
            texts.push_back(call.m_strFunction + "(" + call.m_strArgs + ")");
    }
    return texts;
}

std::vector<std::string> NamesOf(CSimMachine& sim, std::initializer_list<const char*> functions)
{
    std::vector<std::string> names;
    for (const SSimCall& call : sim.Journal().Calls()) {
        if (Wanted(call.m_strFunction, functions))
            names.push_back(call.m_strFunction);
    }
    return names;
}

std::string HklmText()
{
    return SimText(HKEY_LOCAL_MACHINE);
}
