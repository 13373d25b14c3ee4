#include <iostream>
#include "CliCommon.h"

#include "channels/ChannelCsv.h"
#include "channels/CommonChannelCsv.h"
#include "image/ProgramDoc.h"

namespace {

void AddImportCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "import",
        "Apply a channel CSV (as written by export; header by name, English or Chinese value "
        "texts) to a .dat file, cell by cell with the program's own checks. Rows and columns not "
        "listed stay; an empty value leaves its cell, except Rx (deletes the channel) and Name. "
        "Every rejected cell is reported as \"row N, column NAME: MESSAGE\"; then nothing is "
        "written and the exit code is 3. With --format chirp, the common channel CSV: columns by "
        "name, Location 1 to 128 as channels 1 to 128, each listed channel taking the file's "
        "frequencies, tones, name, power, W/N and scan add (the other cells stay); channels the "
        "file does not list stay as they are. Names longer than 7 bytes are cut and the cut "
        "reported. Every row the radio cannot hold is listed with its reason and nothing is "
        "written (exit code 3), unless --skip-invalid is given: then the other rows are applied "
        "and the skipped ones listed.");
    auto file = std::make_shared<std::string>();
    auto csvFile = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("grid");
    auto skipInvalid = std::make_shared<bool>(false);
    cmd->add_option("FILE", *file, "The .dat file.")->required();
    cmd->add_option("CSV", *csvFile, "The CSV file to read.")->required();
    cmd->add_option("-o,--output", *out, "Write the result here instead of FILE.");
    cmd->add_option("--format", *format,
                    "grid (the default): the grid's columns; chirp: the common channel CSV.")
        ->check(CLI::IsMember({"grid", "chirp"}));
    cmd->add_flag("--skip-invalid", *skipInvalid,
                  "With --format chirp: apply the rows the radio can hold, list the others.");
    cmd->callback([&rc, file, csvFile, out, format, skipInvalid] {
        const bool common = *format == "chirp";
        if (*skipInvalid && !common) {
            rc = Fail(kExitUsage, "--skip-invalid needs --format chirp.");
            return;
        }
        CProgramDoc doc;
        if (auto opened = doc.OnOpenDocument(*file); !opened) {
            rc = Fail(kExitInvalidInput, opened.error());
            return;
        }
        const auto csv = ReadChannelsCsvFile(*csvFile);
        if (!csv) {
            rc = Fail(kExitInvalidInput, csv.error());
            return;
        }
        if (common) {
            const auto plan = PlanCommonCsvImport(*csv, doc.m_image);
            if (!plan) {
                rc = Fail(kExitInvalidInput, plan.error(), " Nothing was written.");
                return;
            }
            if (auto applied = ApplyCommonCsvPlan(*plan, doc.m_image, *skipInvalid); !applied) {
                rc = Fail(kExitInvalidInput, applied.error(), "; nothing was written.");
                return;
            }
            for (const std::string& notice : plan->m_notices) {
                std::cerr << notice << "\n";
            }
            for (const std::string& skipped : plan->m_refused) {
                std::cerr << "skipped " << skipped << "\n";
            }
            if (!plan->m_refused.empty()) {
                std::cerr << "lh740ctl: " << plan->m_refused.size()
                          << " rows skipped, the others imported.\n";
            }
        } else if (auto imported = ImportChannelsCsv(*csv, doc.m_image); !imported) {
            rc = Fail(kExitInvalidInput, imported.error(), "; nothing was written.");
            return;
        }
        auto saved = doc.OnSaveDocument(out->empty() ? *file : *out);
        rc = saved ? kExitOk : Fail(kExitFailure, saved.error());
    });
}

}  // namespace

LH740_REGISTER_COMMAND(41, AddImportCommand);
