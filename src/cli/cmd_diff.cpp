#include <cstdio>

#include "CliCommon.h"
#include "channels/ProductInfo.h"
#include "editors/ImageDiff.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "util/Text.h"

namespace {

struct CDiffArgs {
    std::string m_from;
    std::string m_to;
    bool m_json = false;
};

void AddDiffCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "diff",
        "Print the differences between two .dat files, field by field as the program names "
        "them. Exit code 0 when they are the same, 1 when they differ.");
    auto args = std::make_shared<CDiffArgs>();
    cmd->add_option("FILE1", args->m_from, "The first .dat file.")->required();
    cmd->add_option("FILE2", args->m_to, "The second .dat file.")->required();
    cmd->add_flag("--json", args->m_json,
                  "Print a JSON array of {\"place\", \"field\", \"from\", \"to\"} objects.");
    AddLanguageOption(cmd);
    cmd->callback([&rc, args] {
        auto from = LoadDatFile(args->m_from);
        if (!from) {
            rc = Fail(kExitInvalidInput, from.error());
            return;
        }
        auto to = LoadDatFile(args->m_to);
        if (!to) {
            rc = Fail(kExitInvalidInput, to.error());
            return;
        }
        const CFieldContext context(CliChinese(), ModelNames(ProgramSettings()));
        const auto differences = DiffImages(*from, *to, context);
        if (args->m_json) {
            std::printf("[");
            const char* separator = "\n";
            for (const CDifference& d : differences) {
                std::printf("%s  {\"place\": %s, \"field\": %s, \"from\": %s, \"to\": %s}",
                            separator, JsonString(d.m_place).c_str(), JsonString(d.m_field).c_str(),
                            JsonString(d.m_from).c_str(), JsonString(d.m_to).c_str());
                separator = ",\n";
            }
            std::printf(differences.empty() ? "]\n" : "\n]\n");
        } else {
            for (const CDifference& d : differences) {
                std::printf("%s\n", Printable(DifferenceLine(d)).c_str());
            }
        }
        rc = differences.empty() ? kExitOk : kExitDifferent;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(35, AddDiffCommand);
