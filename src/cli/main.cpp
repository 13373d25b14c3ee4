#include <algorithm>
#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

#include "CliCommon.h"
#include "settings/AppPaths.h"
#include "settings/IniFile.h"
#include "settings/UserValues.h"
#include "util/Text.h"

namespace {
bool s_bChinese = false;

std::vector<std::pair<int, CAddCommand>>& Commands() {
    static std::vector<std::pair<int, CAddCommand>> commands;
    return commands;
}
}  // namespace

CCommandRegistrar::CCommandRegistrar(int order, CAddCommand add) {
    Commands().emplace_back(order, add);
}

CIniFile& ProgramSettings() {
    static CIniFile ini;
    static const bool loaded =
        ini.LoadPath(ProgramIniPlace().m_read, false, true, !SharedFiles().m_bInstalled)
            .has_value();
    (void)loaded;
    return ini;
}

CUserValues& ProgramUserValues() {
    static CFileUserValues values(ProgramSettings().GetString("Setup", "AppName", ""));
    return values;
}

void AddLanguageOption(CLI::App* cmd) {
    cmd->add_option_function<std::string>(
           "--lang", [](const std::string& lang) { s_bChinese = lang == "zh"; },
           "Language of the texts: en (default) or zh.")
        ->check(CLI::IsMember({"en", "zh"}));
}

bool CliChinese() {
    return s_bChinese;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += ch;  // UTF-8 passes through
        }
    }
    return out + "\"";
}

int Fail(int code, const std::string& message) {
    std::cerr << "lh740ctl: " << Printable(message, true) << "\n";
    return code;
}

int Fail(int code, const CError& error, const std::string& more) {
    for (const std::string& item : error.m_items) {
        std::cerr << Printable(item, true) << "\n";
    }
    return Fail(code, error.Text(s_bChinese) + more);
}

int main(int argc, char** argv) {
    CLI::App app{"lh740ctl: command-line tool of the Vornex LH-740 programming software."};
    app.set_version_flag("--version", std::string("lh740ctl ") + LH740_VERSION);
    app.require_subcommand(1);
    app.footer(
        "Exit codes:\n"
        "  0  success\n"
        "  1  the result could not be written; for diff, the files differ; for doctor, a\n"
        "     problem was found\n"
        "  2  usage error\n"
        "  3  invalid input or unreadable file\n"
        "  4  serial port unavailable\n"
        "  5  communication failure\n"
        "  6  cancelled\n"
        "A command that fails writes nothing.");

    int rc = kExitOk;
    auto& commands = Commands();
    std::ranges::stable_sort(commands, {}, &std::pair<int, CAddCommand>::first);
    for (const auto& [order, add] : commands) {
        add(app, rc);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    std::fflush(stdout);
    if (std::ferror(stdout)) {
        return Fail(kExitFailure, "cannot write to standard output.");
    }
    return rc;
}
