#pragma once
// The serial devices of this machine that the "Communication port" list and
// `velk ports` offer: the built-in ports that answer (/dev/ttyS*), USB adapters
// (/dev/ttyUSB*, /dev/ttyACM*) and their stable names under /dev/serial/by-id.
#include <filesystem>
#include <string>
#include <vector>

namespace velk::link {

// Device paths in that order, each group sorted by its number or name.
// `devRoot` is "/dev" except in tests.
std::vector<std::string> ListSerialPorts(const std::filesystem::path& devRoot = "/dev");

}  // namespace velk::link
