#include "CliCommon.h"
#include "channels/Bands.h"
#include "channels/ChannelTable.h"
#include "image/ProgramDoc.h"
#include "link/ConsoleEvents.h"
#include "settings/UserValues.h"
#include "sim/PortFactory.h"

namespace {

struct CWriteArgs {
    CConsoleLinkOptions m_link;
    std::string m_file;
};

int ExitCodeOf(ETransferOutcome outcome) {
    switch (outcome) {
        case ETransferOutcome::Done:
            return kExitOk;
        case ETransferOutcome::PortUnavailable:
            return kExitPortUnavailable;
        case ETransferOutcome::Cancelled:
        case ETransferOutcome::BandRefused:
            return kExitCancelled;
        default:
            return kExitCommunication;
    }
}

void AddWriteCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand("write", "Write a .dat file to the radio.");
    auto args = std::make_shared<CWriteArgs>();
    cmd->add_option("FILE", args->m_file, "The .dat file to send.")->required();
    cmd->add_option("--port", args->m_link.m_strPort,
                    "Serial port (/dev/ttyUSB0, ...) or sim (default: the remembered port).");
    cmd->add_flag("--yes", args->m_link.m_bYes,
                  "Answer OK when the document's bands lie outside the radio's band (otherwise "
                  "asked on a terminal, or Cancel).");
    cmd->add_flag("--quiet", args->m_link.m_bQuiet, "No progress or status texts.");
    cmd->add_option("--trace", args->m_link.m_strTrace,
                    "Write every byte in and out with a timestamp to this file.");
    cmd->add_option("--retries", args->m_link.m_nRetries,
                    "Retries after a communication error when not asked on a terminal.")
        ->check(CLI::Range(0, 100));
    AddLanguageOption(cmd);
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
        CChannelTable table;
        table.FillGrid(doc.m_image, nullptr);
        CTransferHooks hooks;
        hooks.m_storeGrid = [&] { table.StoreGrid(doc.m_image); };
        hooks.m_bandLimits = [] {
            return CBandLimits{g_nBand1Low, g_nBand1High, g_nBand2Low, g_nBand2High};
        };
        const CTransferResult result =
            RunTransfer(ETransferDirection::Write, link.Port(), link.PortName(), doc.m_image,
                        link.Events(), hooks);
        link.Events().Finish();
        rc = result.Ok() ? kExitOk
                         : Fail(ExitCodeOf(result.m_outcome), CConsoleLink::Describe(result));
    });
}

}  // namespace

LH740_REGISTER_COMMAND(210, AddWriteCommand);
