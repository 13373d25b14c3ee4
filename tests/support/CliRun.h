#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

// lh740ctl run as a user would run it, with stdout and stderr captured.
struct CCliRun {
    int m_code = -1;
    std::string m_out;
    std::string m_err;
};

// `args` are passed to the shell as written (quote paths with Quote); `env` goes before the
// command, e.g. "XDG_CONFIG_HOME='/tmp/x' ".
inline CCliRun RunCli(const std::string& args, const std::string& env = "") {
    CTempDir dir;
    const std::string cmd = env + LH740CTL_PATH + " " + args + " >'" + (dir / "out") + "' 2>'" +
                            (dir / "err") + "' </dev/null";
    CCliRun run;
    const int status = std::system(cmd.c_str());
    run.m_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.m_out = ReadText(dir / "out");
    run.m_err = ReadText(dir / "err");
    return run;
}

inline std::string Quote(const std::string& text) {
    return "'" + text + "'";
}
