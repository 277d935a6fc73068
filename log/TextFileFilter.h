// The text of a whole file as the log copies it, a piece at a time: bytes that are not text are
// left out and counted, and on every `name=value` line whose name is a secret's the value is
// replaced by the hidden mark (blanks after the '=' kept). A line may run over any number of
// pieces; a name too long to hold is written as it comes and still tested for the words.
#pragma once
#include <string>
#include <string_view>

#include "log/SecretNames.h"

class CTextFileFilter {
public:
    explicit CTextFileFilter(const CSecretNames& names = SecretNames()) : m_names(names) {}

    // Appends what the log shows of the next piece of the file.
    void Filter(std::string_view piece, std::string& out);
    // The end of the file: a last line that had no '=' is written.
    void Finish(std::string& out);
    unsigned long long LeftOut() const { return m_leftOut; }

private:
    enum class State { Name, Value, Hidden };

    void take(const char* begin, const char* end, std::string& out);
    void endName(std::string& out);
    void endLine(std::string& out);

    const CSecretNames& m_names;
    State m_state = State::Name;
    std::string m_name;      // the line so far, while no '=' has come
    bool m_nameCut = false;  // part of the name has been written already
    bool m_secret = false;   // a written part of the name held a word
    bool m_marked = false;   // the hidden mark of this line is written
    unsigned long long m_leftOut = 0;
};
