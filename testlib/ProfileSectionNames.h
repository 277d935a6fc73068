// The section names of an INI file as the platform's profile functions report them.
#pragma once

#include <string>
#include <vector>

// Every section name of the file, in file order; empty when it has none or cannot be read. A
// plain ASCII file is read here, by the rules the profile functions follow, because asking
// them costs many times a reading of the file. Anything else is left to them: text in another
// encoding, a file they map to the registry, a path that they resolve in their own way.
std::vector<std::string> ProfileSectionNames(const char* fileName);
