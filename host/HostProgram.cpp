#include "host/HostProgram.h"

#include <string>

#include "host/HostCapsCommand.h"
#include "host/HostCommandLine.h"
#include "host/HostConvertCommand.h"
#include "host/HostDevModeCommand.h"
#include "host/HostJobCommand.h"
#include "host/HostOutputWriter.h"
#include "host/HostPrintersCommand.h"
#include "host/HostProcessEndNotice.h"
#include "host/HostPropsCommand.h"
#include "host/HostSession.h"
#include "host/HostSheetCommand.h"
#include "host/HostStoreSetup.h"

namespace {

using CommandRun = bool (*)(HostSession& session, HostValue& result, std::string& error);

struct Command {
    const char* name;
    CommandRun run;
};

const Command kCommands[] = {
    {"printers", &HostPrintersCommand::List}, {"add-printer", &HostPrintersCommand::Add},
    {"caps", &HostCapsCommand::Run},          {"devmode", &HostDevModeCommand::Run},
    {"convert", &HostConvertCommand::Run},    {"props", &HostPropsCommand::Run},
    {"sheet", &HostSheetCommand::Run},        {"job", &HostJobCommand::Run},
};

CommandRun FindCommand(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name) return command.run;
    return nullptr;
}

} // namespace

int HostProgram::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    HostOptions options;
    std::string error;
    if (!HostCommandLine::Parse(argc, argv, options, error)) {
        err << "qvhost: " << error << "\n" << HostCommandLine::Usage();
        return 2;
    }
    if (options.help || options.command.empty()) {
        (options.help ? out : err) << HostCommandLine::Usage();
        return options.help ? 0 : 2;
    }
    const CommandRun run = FindCommand(options.command);
    if (run == nullptr) {
        err << "qvhost: unknown command " << options.command << "\n" << HostCommandLine::Usage();
        return 2;
    }
    const bool json = options.json;
    // From here on the module may end the process; the user is told why.
    HostProcessEndNotice::Install();
    HostSession session(std::move(options));
    HostValue result;
    if (!session.Start(argc > 0 && argv[0] != nullptr ? argv[0] : "qvhost", error) ||
        !run(session, result, error) || !HostStoreSetup::Save(error)) {
        err << "qvhost: " << error << "\n";
        return 1;
    }
    out << (json ? HostOutputWriter::Json(result) : HostOutputWriter::Text(result));
    return 0;
}
