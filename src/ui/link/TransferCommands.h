#pragma once

class CMainFrame;

// Wires Read, Write, Com Setup and Squelch Tuning into the main frame and takes the remembered
// port as the one transfers use. Safe to call again.
void InstallTransferCommands(CMainFrame& frame);
