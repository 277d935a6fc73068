// The text of a whole file as the log copies it, a piece at a time: bytes that are not text are
// left out and counted, and on every `name=value` line whose name is a secret's the value is
// replaced by the hidden mark (blanks after the '=' kept). A line may run over any number of
// pieces; a name too long to hold is written as it comes and still tested for the words.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "log/SecretNames.h"

class CTextFileFilter {
public:
    explicit CTextFileFilter(const CSecretNames& names);

    // Appends what the log shows of the next piece of the file.
    void Filter(std::string_view piece, std::string& out);
    // The end of the file.
    void Finish(std::string& out);
    unsigned long long LeftOut() const { return m_leftOut; }

private:
    // Until a line's '=' comes, its name is written as it is read; only a name in which a word
    // may start is looked at again.
    enum class State { Name, Value, Hidden };

    // The run of whole lines in which no word may start before the '=', copied in one piece;
    // false, having copied nothing, when one may in the first.
    bool plainLines(const char*& at, const char* end, std::string& out);
    void scanName(const char* begin, const char* stop, const char* end, std::string& out);
    void holdName(std::string& out);
    void take(const char* begin, const char* end, std::string& out);
    void endName(std::string& out);
    void endLine(std::string& out);

    const CSecretNames& m_names;
    // What each byte is to a line (kinds of CTextFileFilter.cpp), and whether a word may start
    // with it.
    std::array<unsigned char, 256> m_kinds;
    const State m_lineState;  // where each line starts: no names are tested when no word is listed
    State m_state;
    std::string m_name;         // the name's part from earlier pieces (already written)
    size_t m_nameStart = 0;     // where the name's part from this piece begins in `out`
    int m_lastNameByte = -1;    // the last byte of an earlier piece, while the name goes on
    bool m_mayBeSecret = false;  // a word may start in the name
    bool m_nameCut = false;      // the name grew too long to hold whole
    bool m_secret = false;       // a part no longer held had a word
    bool m_marked = false;       // the hidden mark of this line is written
    unsigned long long m_leftOut = 0;
};
