#include <cstdio>

#include "CliCommon.h"
#include "channels/ProductInfo.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "settings/Language.h"
#include "util/Text.h"

namespace {

struct CShowArgs {
    std::string m_file;
    std::string m_section;
};

void AddShowCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "show",
        "Print the radio-wide settings of a .dat file as `key = value` lines, in dialog order, "
        "as the dialogs show them.");
    auto args = std::make_shared<CShowArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file.")->required();
    cmd->add_option("SECTION", args->m_section, "Only this section.")
        ->check(CLI::IsMember(SettingSections()));
    AddLanguageOption(cmd);
    cmd->callback([&rc, args] {
        auto image = LoadDatFile(args->m_file);
        if (!image) {
            rc = Fail(kExitInvalidInput, image.error());
            return;
        }
        const CFieldContext context(CliChinese(), ModelNames(ProgramSettings()));
        for (const CField& field : SettingFields()) {
            if (args->m_section.empty() || SectionOf(field) == args->m_section) {
                std::printf("%s = %s\n", field.m_key.c_str(),
                            Printable(LoadField(field, *image, context)).c_str());
            }
        }
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(30, AddShowCommand);
