// The serial ports that Windows has detected.
#pragma once
#include <string>
#include <vector>

struct SerialPort {
    std::string name;    // "COM1"
    std::string device;  // "\Device\Serial0"
};

std::vector<SerialPort> DetectedSerialPorts();
bool IsDetectedPort(const std::vector<SerialPort>& ports, const std::string& name);
