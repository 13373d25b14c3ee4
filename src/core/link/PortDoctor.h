#pragma once

#include <string>
#include <vector>

#include "link/SerialPort.h"
#include "util/Text.h"

// What keeps a serial cable from working, found out and explained: each finding says what was
// seen and, when something is to be done, the one command or step that fixes it.
enum class EDoctorStatus { Ok, Problem, Note };

struct CDoctorFinding {
    // Which check: "port", "access", "holder", "exclusive" (the flag left set with no holder in
    // sight), "services", "adapter", "loopback".
    std::string m_check;
    EDoctorStatus m_status = EDoctorStatus::Ok;
    CTexts m_text;  // one line
    CTexts m_fix;   // one line; empty when there is nothing to do
};

// Where the system's trees are; tests point them at a fake tree in a temporary folder.
struct CDoctorRoots {
    std::string m_dev = "/dev";    // a port given without a folder is looked for here
    std::string m_sys = "/sys";    // class/tty, bus/usb-serial
    std::string m_proc = "/proc";  // processes, their open files and comm, locks
    std::string m_root;            // prefix of /usr, /lib and /etc: installed programs, units
    std::string m_lockDir = SerialLockDirectory();
};

struct CDoctorOptions {
    // The cable's TX and RX are joined: send a pattern at 9600 8N1 and expect it back.
    bool m_bLoopback = false;
};

// Runs the checks in order: the port exists, it may be opened, no one else holds it, services
// that grab USB serial adapters, the adapter's driver and latency timer, and the loopback test.
// Changes nothing on the port (the loopback test opens it as a transfer would).
std::vector<CDoctorFinding> RunPortDoctor(const std::string& port, const CDoctorRoots& roots = {},
                                          const CDoctorOptions& options = {});

// The holder check alone (lock file, processes with the port open, flock, exclusive flag).
std::vector<CDoctorFinding> CheckPortHolders(const std::string& port,
                                             const CDoctorRoots& roots = {});

bool HasProblem(const std::vector<CDoctorFinding>& findings);
// "ok", "problem", "note" (JSON and the command line); translated when `chinese`.
const char* DoctorStatusName(EDoctorStatus status, bool chinese);
// A finding as lines: "STATUS  TEXT" and, when there is a fix, "         fix: FIX".
std::string DoctorFindingLines(const CDoctorFinding& finding, bool chinese);
