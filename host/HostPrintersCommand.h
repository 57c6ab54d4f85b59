#pragma once
// printers: the store's printers with their drivers and data files, and
// what the driver's initialisation gave each (its default DEVMODE's size,
// its printer data's values); add-printer NAME --model qvcolor|qvmono|qvcolorps: a
// printer of a model printer, installed as the spooler installs one.
#include <string>

#include "host/HostSession.h"
#include "host/HostValue.h"

class HostPrintersCommand {
public:
    static bool List(HostSession& session, HostValue& result, std::string& error);
    static bool Add(HostSession& session, HostValue& result, std::string& error);
};
