#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "util/Error.h"

// Exit codes; listed in --help, distinct so scripts can tell failures apart.
enum EExitCode {
    kExitOk = 0,
    kExitFailure = 1,          // could not write the result
    kExitDifferent = 1,        // diff: the files differ (as diff(1) says it)
    kExitProblemFound = 1,     // doctor: a problem was found
    kExitUsage = 2,            // wrong command line
    kExitInvalidInput = 3,     // invalid input or unreadable file
    kExitPortUnavailable = 4,  // the serial port cannot be opened
    kExitCommunication = 5,    // the radio did not answer as it should
    kExitCancelled = 6,        // the user cancelled
};

class CIniFile;
class CUserValues;

// Program.ini next to lh740ctl, loaded on first use (never written back by the CLI).
CIniFile& ProgramSettings();
// The per-user values of [Setup] AppName (file-backed, see CFileUserValues).
CUserValues& ProgramUserValues();
// Adds `--lang en|zh` to a subcommand; the choice is made before the callback runs.
void AddLanguageOption(CLI::App* cmd);
// The language of the command's texts: Chinese after `--lang zh`, else English.
bool CliChinese();

// `text` as a JSON string, quotes included (UTF-8 passes through).
std::string JsonString(const std::string& text);

// Prints "lh740ctl: MESSAGE" on stderr and returns `code`.
int Fail(int code, const std::string& message);
// The same for an error in the command's language: each refused item on a line of its own,
// then "lh740ctl: " and the error's text with `more` after it.
int Fail(int code, const CError& error, const std::string& more = "");

// Each subcommand file registers a function that adds the subcommand to the app; the
// subcommand's callback stores its exit code in `rc`. `order` sorts them in --help.
using CAddCommand = void (*)(CLI::App& app, int& rc);
struct CCommandRegistrar {
    CCommandRegistrar(int order, CAddCommand add);
};
#define LH740_REGISTER_COMMAND(order, fn) static const CCommandRegistrar s_register_##fn(order, fn)
