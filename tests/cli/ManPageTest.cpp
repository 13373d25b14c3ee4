// The man pages are written by hand; their commands and options must stay those of --help.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

using CNames = std::set<std::string>;

std::string Help(const std::string& program, const std::string& args) {
    std::string text;
    if (FILE* pipe = ::popen((program + " " + args + " --help 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return text;
}

// The first words of the lines under `heading` in CLI11's help, up to the next heading.
std::vector<std::string> HelpEntries(const std::string& help, const std::string& heading) {
    std::vector<std::string> entries;
    bool in = false;
    for (const std::string& line : Lines(help)) {
        if (!line.empty() && line[0] != ' ') {
            in = line == heading;
        } else if (in && line.size() > 2 && line[2] != ' ') {
            entries.push_back(line.substr(2, line.find(' ', 2) - 2));
        }
    }
    return entries;
}

CNames HelpOptions(const std::string& help) {
    CNames names;
    for (const std::string& entry : HelpEntries(help, "Options:")) {
        std::istringstream parts(entry);
        for (std::string name; std::getline(parts, name, ',');) {
            if (name != "-h" && name != "--help" && name != "--version") {
                names.insert(name);
            }
        }
    }
    return names;
}

// The *bold* spans of a scdoc text that name options, by their first word.
CNames ManOptions(const std::string& text) {
    CNames names;
    static const std::regex span(R"(\*(--?[a-z][a-z0-9-]*)[^*]*\*)");
    for (std::sregex_iterator it(text.begin(), text.end(), span), end; it != end; ++it) {
        const std::string name = (*it)[1];
        if (name != "-h" && name != "--help" && name != "--version") {
            names.insert(name);
        }
    }
    return names;
}

// The sections of a scdoc page by heading ("# COMMANDS"), each a list of lines.
std::map<std::string, std::vector<std::string>> ManSections(const std::string& page) {
    std::ifstream in(std::string(LH740_MAN_DIR) + "/" + page + ".1.scd");
    std::stringstream text;
    text << in.rdbuf();
    std::map<std::string, std::vector<std::string>> sections;
    std::string current;
    for (const std::string& line : Lines(text.str())) {
        if (line.starts_with("# ")) {
            current = line.substr(2);
        } else {
            sections[current].push_back(line);
        }
    }
    return sections;
}

TEST(ManPage, Lh740ctlCommandsAndOptionsAreThoseOfItsHelp) {
    // From --help: every command, with its subcommands, and each one's options.
    std::map<std::string, CNames> help;
    for (const std::string& command : HelpEntries(Help(LH740CTL_PATH, ""), "Subcommands:")) {
        const auto subcommands = HelpEntries(Help(LH740CTL_PATH, command), "Subcommands:");
        if (subcommands.empty()) {
            help[command] = HelpOptions(Help(LH740CTL_PATH, command));
        }
        for (const std::string& sub : subcommands) {
            help[command + " " + sub] = HelpOptions(Help(LH740CTL_PATH, command + " " + sub));
        }
    }
    ASSERT_GT(help.size(), 15u);

    // From the page: an entry starts with its synopsis; link options stand for their section.
    auto sections = ManSections("lh740ctl");
    std::string link;
    for (const std::string& line : sections["LINK OPTIONS"]) {
        link += line.starts_with("*") ? line + "\n" : "";
    }
    std::map<std::string, CNames> man;
    std::vector<std::string> entry;
    auto finish = [&] {
        if (entry.empty()) {
            return;
        }
        std::string text;
        for (const std::string& line : entry) {
            text += line + "\n";
        }
        CNames options = ManOptions(text);
        if (entry[0].find("_LINK OPTIONS_") != std::string::npos) {
            options.merge(ManOptions(link));
        }
        // Command names: the bold spans of the synopsis that are not options.
        static const std::regex name(R"(\*([a-z][a-z0-9 ]*)\*)");
        for (std::sregex_iterator it(entry[0].begin(), entry[0].end(), name), end; it != end;
             ++it) {
            man[(*it)[1]] = options;
        }
        entry.clear();
    };
    for (const std::string& line : sections["COMMANDS"]) {
        if (line.starts_with("*")) {
            finish();
        }
        if (line.starts_with("*") || (!entry.empty() && line.starts_with("\t"))) {
            entry.push_back(line);
        }
    }
    finish();

    for (const auto& [command, options] : help) {
        ASSERT_TRUE(man.contains(command)) << command << " is not in the man page";
        EXPECT_EQ(man[command], options) << command;
    }
    for (const auto& [command, options] : man) {
        EXPECT_TRUE(help.contains(command)) << command << " is in the man page only";
    }
}

TEST(ManPage, Lh740simOptionsAreThoseOfItsHelp) {
    auto sections = ManSections("lh740sim");
    std::string text;
    for (const std::string& line : sections["OPTIONS"]) {
        text += line.starts_with("*") ? line + "\n" : "";
    }
    const CNames help = HelpOptions(Help(LH740SIM_PATH, ""));
    ASSERT_GT(help.size(), 5u);
    EXPECT_EQ(ManOptions(text), help);
}

}  // namespace
