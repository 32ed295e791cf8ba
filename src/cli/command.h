#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kovra::cli {

class CliSession;

// One kovractl command. The session has the chosen adapter and runs the window model.
class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    virtual size_t minArguments() const { return 0; }
    virtual size_t maxArguments() const { return 0; }
    // An exit status.
    virtual int run(CliSession& session, const std::vector<std::string>& arguments) = 0;
};

std::vector<std::unique_ptr<Command>> allCommands();

} // namespace kovra::cli
