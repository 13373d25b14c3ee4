#include "LinkOptions.h"

void AddLinkOptions(CLI::App* cmd, CConsoleLinkOptions& options) {
    cmd->add_option("--port", options.m_strPort,
                    "Serial port (/dev/ttyUSB0, ...) or sim (default: the remembered port).");
    cmd->add_flag("--quiet", options.m_bQuiet, "No progress or status texts.");
    cmd->add_option("--trace", options.m_strTrace,
                    "Write every byte in and out with a timestamp to this file (- for standard "
                    "output).");
    cmd->add_option("--retries", options.m_nRetries,
                    "Retries after a communication error when not asked on a terminal.")
        ->check(CLI::Range(0, 100));
    AddLanguageOption(cmd);
}

int TransferExitCode(ETransferOutcome outcome) {
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
