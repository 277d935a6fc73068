#include "SerialPorts.h"

#include <windows.h>

std::vector<SerialPort> DetectedSerialPorts() {
    std::vector<SerialPort> ports;
    HKEY map = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        char device[256], name[64] = {};
        DWORD deviceLength = sizeof device, nameSize = sizeof name - 1, type = 0;
        LONG result = RegEnumValueA(map, index, device, &deviceLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(name), &nameSize);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) break;
        if (type == REG_SZ) ports.push_back({name, std::string(device, deviceLength)});
    }
    RegCloseKey(map);
    return ports;
}

bool IsDetectedPort(const std::vector<SerialPort>& ports, const std::string& name) {
    for (const auto& port : ports) {
        if (lstrcmpiA(port.name.c_str(), name.c_str()) == 0) return true;
    }
    return false;
}
