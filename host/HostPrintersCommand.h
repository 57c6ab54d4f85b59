#pragma once
// printers: the store's printers with their drivers and data files;
// add-printer NAME --model qvcolor|qvmono: a printer of a model printer.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostPrintersCommand {
public:
    static bool List(HostSession& session, HostValue& result, std::string& error);
    static bool Add(HostSession& session, HostValue& result, std::string& error);
};
