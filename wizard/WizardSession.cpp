#include "wizard/WizardSession.h"

#include <cstring>
#include <utility>

bool NamesTest(const std::string& name, const char* library, const char* test) {
    const size_t libraryLength = std::strlen(library);
    return name.size() == libraryLength + 1 + std::strlen(test) && name[libraryLength] == '.' &&
           _strnicmp(name.c_str(), library, libraryLength) == 0 &&
           _stricmp(name.c_str() + libraryLength + 1, test) == 0;
}

void WizardSession::AddMessage(const std::string& text) {
    std::lock_guard<std::mutex> hold(m_messagesLock);
    m_messages.push_back(text);
}

std::vector<std::string> WizardSession::TakeMessages() {
    std::lock_guard<std::mutex> hold(m_messagesLock);
    return std::move(m_messages);
}
