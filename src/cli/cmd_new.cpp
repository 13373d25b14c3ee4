#include <sys/stat.h>

#include "CliCommon.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"

namespace {

void AddNewCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("new", "Write a new document with the default image.");
    auto file = std::make_shared<std::string>();
    auto force = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The .dat file to create.")->required();
    cmd->add_flag("--force", *force, "Overwrite FILE if it exists.");
    cmd->callback([&rc, file, force] {
        struct stat st {};
        if (!*force && ::stat(file->c_str(), &st) == 0) {
            rc = Fail(kExitInvalidInput,
                      "\"" + *file + "\" already exists; use --force to overwrite it.");
            return;
        }
        CProgramDoc doc;
        doc.OnNewDocument(ProgramSettings());
        auto saved = doc.OnSaveDocument(*file);
        rc = saved ? kExitOk : Fail(kExitFailure, saved.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(10, AddNewCommand);
