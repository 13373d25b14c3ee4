#include <iostream>

#include "CliCommon.h"
#include "settings/AppPaths.h"
#include "settings/IniFile.h"

namespace {

struct CConfigArgs {
    std::string m_section;
    std::string m_key;
    std::string m_value;
    std::string m_file;
};

// The file named, or the program's own Program.ini: the one read, and where a change goes
// (the user's copy when the program's is installed or read-only).
CProgramIniPlace SettingsPlace(const CConfigArgs& args) {
    return args.m_file.empty() ? ProgramIniPlace() : CProgramIniPlace{args.m_file, args.m_file};
}

void AddConfigCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("config", "Read or change a value of the settings file.");
    cmd->require_subcommand(1);
    auto args = std::make_shared<CConfigArgs>();
    const std::string fileHelp =
        "Settings file (default: the program's Program.ini, or the user's copy of it).";

    auto* get = cmd->add_subcommand("get", "Print a value exactly as the program reads it.");
    get->add_option("SECTION", args->m_section)->required();
    get->add_option("KEY", args->m_key)->required();
    get->add_option("--file", args->m_file, fileHelp);
    get->callback([&rc, args] {
        CIniFile ini;
        // A read never leaves a file behind.
        if (auto loaded = ini.LoadPath(SettingsPlace(*args).m_read, false, true, false); !loaded) {
            rc = Fail(kExitInvalidInput, loaded.error());
            return;
        }
        std::cout << ini.GetString(args->m_section, args->m_key, "") << "\n";
        rc = kExitOk;
    });

    auto* set = cmd->add_subcommand(
        "set",
        "Change a value and save the settings file; prints the change, or that there was none.");
    set->add_option("SECTION", args->m_section)->required();
    set->add_option("KEY", args->m_key)->required();
    set->add_option("VALUE", args->m_value)->required();
    set->add_option("--file", args->m_file, fileHelp);
    set->callback([&rc, args] {
        CIniFile ini;
        const CProgramIniPlace place = SettingsPlace(*args);
        if (auto loaded = ini.LoadPath(place.m_read, false, true, place.m_read == place.m_save);
            !loaded) {
            rc = Fail(kExitInvalidInput, loaded.error());
            return;
        }
        ini.SetSavePath(place.m_save);
        const std::string name = "[" + args->m_section + "] " + args->m_key;
        const std::string before = ini.GetString(args->m_section, args->m_key, "");
        ini.SetString(args->m_section, args->m_key, args->m_value);
        // Any change of the bytes is written, letter case included; no change writes nothing.
        if (!ini.IsModified()) {
            std::cout << name << " is already \"" << args->m_value << "\"; nothing was written.\n";
            rc = kExitOk;
            return;
        }
        if (auto saved = ini.Save(); !saved) {
            rc = Fail(kExitFailure, saved.error());
            return;
        }
        std::cout << name << ": \"" << before << "\" -> \"" << args->m_value << "\"\n";
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(900, AddConfigCommand);
