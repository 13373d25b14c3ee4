#include "CliCommon.h"
#include "ConsoleEvents.h"
#include "LinkOptions.h"
#include "channels/Bands.h"
#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "settings/UserValues.h"
#include "sim/PortFactory.h"

namespace {

struct CWriteArgs {
    CConsoleLinkOptions m_link;
    std::string m_file;
};

void AddWriteCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("write", "Write a .dat file to the radio.");
    auto args = std::make_shared<CWriteArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file to send.")->required();
    cmd->add_flag("--yes", args->m_link.m_bYes,
                  "Answer OK when the document's bands lie outside the radio's band (otherwise "
                  "asked on a terminal, or Cancel).");
    AddLinkOptions(cmd, args->m_link);
    cmd->callback([&rc, args] {
        CProgramDoc doc;
        if (auto opened = doc.OnOpenDocument(args->m_file); !opened) {
            rc = Fail(kExitInvalidInput, opened.error());
            return;
        }
        CConsoleLink link;
        std::string error;
        if (!link.Prepare(args->m_link, ProgramUserValues().GetString("com"), MakeSerialPort,
                          error)) {
            rc = Fail(kExitUsage, error);
            return;
        }
        // The grid as the desktop program would hold it for this file: its store decides the
        // bytes sent and the band limits the radio is checked against.
        CChannelTable table(false);
        table.FillGrid(doc, nullptr, false);
        CTransferHooks hooks;
        hooks.m_storeGrid = [&] { table.StoreGrid(doc); };
        hooks.m_bandLimits = [&] { return doc.m_bands; };
        const CTransferResult result =
            RunTransfer(ETransferDirection::Write, link.Port(), link.PortName(), doc.m_image,
                        link.Events(), hooks);
        link.Events().Finish();
        rc = result.Ok() ? kExitOk
                         : Fail(TransferExitCode(result.m_outcome), CConsoleLink::Describe(result));
    });
}

}  // namespace

LH740_REGISTER_COMMAND(210, AddWriteCommand);
