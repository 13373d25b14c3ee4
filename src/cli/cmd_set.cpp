#include "CliCommon.h"
#include "channels/ProductInfo.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"

namespace {

struct CSetArgs {
    std::string m_file;
    std::vector<std::string> m_assignments;
    std::string m_out;
};

void AddSetCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "set",
        "Change radio-wide settings as a user would enter them in the dialog and press OK "
        "(values are the dialogs' texts, English or Chinese). Nothing is written unless every "
        "value is valid; the file is replaced atomically.");
    auto args = std::make_shared<CSetArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file.")->required();
    cmd->add_option("KEY=VALUE", args->m_assignments, "Keys as `lh740ctl show` prints them.")
        ->required();
    cmd->add_option("-o,--output", args->m_out, "Write the result here instead of FILE.");
    cmd->callback([&rc, args] {
        std::vector<CSettingChange> changes;
        for (const std::string& assignment : args->m_assignments) {
            const auto eq = assignment.find('=');
            if (eq == std::string::npos || eq == 0) {
                rc = Fail(kExitUsage, "\"" + assignment + "\" is not of the form KEY=VALUE.");
                return;
            }
            changes.push_back({assignment.substr(0, eq), assignment.substr(eq + 1)});
        }
        auto image = LoadDatFile(args->m_file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        const CFieldContext context(false, ModelNames(ProgramSettings()));
        if (auto applied = ApplySettings(*image, changes, context); !applied) {
            rc = Fail(kExitInvalidInput, applied.error(), " Nothing was written.");
            return;
        }
        auto saved = SaveDatFile(args->m_out.empty() ? args->m_file : args->m_out, *image);
        rc = saved ? kExitOk : Fail(kExitFailure, saved.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(31, AddSetCommand);
