#include <cstdio>

#include "CliCommon.h"
#include "link/PortDoctor.h"
#include "link/SerialPort.h"
#include "settings/UserValues.h"

namespace {

void AddPortsCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "ports",
        "List the serial ports with their description and whether they can be opened now. "
        "The remembered port (used when a transfer has no --port) is marked with *.");
    auto remember = std::make_shared<std::string>();
    cmd->add_option("--remember", *remember, "Remember PORT for later transfers.");
    cmd->callback([&rc, remember] {
        CUserValues& values = ProgramUserValues();
        if (!remember->empty()) {
            if (!values.SetString("com", *remember)) {
                rc = Fail(kExitFailure, "cannot store the port in the user settings.");
                return;
            }
            rc = kExitOk;
            return;
        }
        const std::string current = values.GetString("com").value_or("");
        const auto ports = ListSerialPorts();
        if (ports.empty()) {
            std::printf("No serial ports found.\n");
        }
        for (const auto& port : ports) {
            const auto probed = ProbeSerialPort(port.m_path);
            std::string reason = probed ? std::string() : probed.error().Text(CliChinese());
            // A port nobody seems to hold may have been left exclusive: say so.
            if (!probed) {
                for (const auto& finding : CheckPortHolders(port.m_path)) {
                    if (finding.m_check == "exclusive") {
                        reason = finding.m_text.Get(CliChinese());
                    }
                }
            }
            // The line names the port already.
            if (reason.starts_with(port.m_path + ": ")) {
                reason.erase(0, port.m_path.size() + 2);
            } else if (reason.starts_with(port.m_path + " ")) {
                reason.erase(0, port.m_path.size() + 1);
            }
            std::printf("%s %-14s %-32s %s\n", port.m_path == current ? "*" : " ",
                        port.m_path.c_str(),
                        port.m_description.empty() ? "-" : port.m_description.c_str(),
                        reason.empty() ? "available" : ("unavailable: " + reason).c_str());
        }
        std::printf("  %-14s %-32s %s\n", "sim", "simulated radio (in-process)", "available");
        if (!current.empty()) {
            std::printf("Remembered port: %s\n", current.c_str());
        }
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(230, AddPortsCommand);
