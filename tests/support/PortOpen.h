#pragma once

#include <string>

#include "link/SerialPort.h"

// Opens `port`, leaving the English reason in `error` when it cannot (empty when it could).
inline bool OpenPort(CSerialPort& port, const std::string& name, std::string& error) {
    auto opened = port.Open(name);
    error = opened ? std::string() : opened.error().Text(false);
    return opened.has_value();
}

// The English reason a probe gives, empty when the port could be opened.
inline std::string ProbeReason(const CResult<>& probed) {
    return probed ? std::string() : probed.error().Text(false);
}
