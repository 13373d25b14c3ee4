#pragma once

#include <memory>
#include <string>

#include "link/SerialPort.h"

// The port a transfer uses: "sim" is an in-process simulated radio with the demo memory, for
// demonstrations without hardware; any other name is a serial device path.
std::unique_ptr<CSerialPort> MakeSerialPort(const std::string& name);
