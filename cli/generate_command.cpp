#include <ostream>

#include "commands.h"

namespace cli {

int runGenerate(const std::vector<std::string>&, CommandIo io)
{
    io.err << "corvel-cli generate: not available yet\n";
    return kExitBadInput;
}

} // namespace cli
