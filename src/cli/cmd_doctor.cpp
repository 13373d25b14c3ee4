#include <cstdio>

#include "CliCommon.h"
#include "link/PortDoctor.h"
#include "settings/UserValues.h"

namespace {

struct CDoctorArgs {
    std::string m_port;
    bool m_loopback = false;
    bool m_json = false;
};

void AddDoctorCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "doctor",
        "Check the serial port and explain what keeps it from working, each with its fix: the "
        "port exists, you may open it, no other program holds it, services that grab USB serial "
        "adapters, the adapter's driver and latency timer. Exit code 0 when no problem is "
        "found, 1 when one is.");
    auto args = std::make_shared<CDoctorArgs>();
    cmd->add_option("--port", args->m_port,
                    "Serial port (/dev/ttyUSB0, or ttyUSB0) (default: the remembered port).");
    cmd->add_flag("--loopback", args->m_loopback,
                  "Also send a test pattern at 9600 baud and expect it back: join the cable's TX "
                  "and RX first.");
    cmd->add_flag("--json", args->m_json,
                  "Print a JSON array of {\"check\", \"status\", \"text\", \"fix\"} objects.");
    AddLanguageOption(cmd);
    cmd->callback([&rc, args] {
        std::string port = args->m_port;
        if (port.empty()) {
            port = ProgramUserValues().GetString("com").value_or("");
        }
        if (port.empty()) {
            rc = Fail(kExitUsage,
                      "no port given and none remembered; use --port PORT (see lh740ctl ports).");
            return;
        }
        if (port == "sim") {
            rc = Fail(kExitUsage, "sim is the simulated radio, not a serial port to check.");
            return;
        }
        CDoctorOptions options;
        options.m_bLoopback = args->m_loopback;
        const auto findings = RunPortDoctor(port, {}, options);
        const bool chinese = CliChinese();
        if (args->m_json) {
            std::printf("[");
            const char* separator = "\n";
            for (const CDoctorFinding& f : findings) {
                std::printf("%s  {\"check\": %s, \"status\": \"%s\", \"text\": %s, \"fix\": %s}",
                            separator, JsonString(f.m_check).c_str(),
                            DoctorStatusName(f.m_status, false),
                            JsonString(f.m_text.Get(chinese)).c_str(),
                            JsonString(f.m_fix.Get(chinese)).c_str());
                separator = ",\n";
            }
            std::printf("\n]\n");
        } else {
            for (const CDoctorFinding& f : findings) {
                std::printf("%s\n", DoctorFindingLines(f, chinese).c_str());
            }
        }
        rc = HasProblem(findings) ? kExitProblemFound : kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(235, AddDoctorCommand);
