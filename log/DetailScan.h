// The search through a log for the bytes where a personal detail may begin, sixteen bytes at a
// time: most of a log holds none, and this is the only work done on nearly every byte of it.
#pragma once
#include <cstddef>
#include <string_view>

class CDetailScan {
public:
    // `first` marks every byte that may begin something (an address's '@', '.', ':' or '\', or
    // the first letter of the user's or the computer's name); `vector` asks for the processor's
    // vector instructions, used only where it has them.
    CDetailScan(std::string_view user, std::string_view computer, const unsigned char* first, bool vector = true);

    // The places, counted from `text`, of the bytes from `block` on that may begin something, in
    // order, written to `found` until it holds `room` (at least sixteen) or the blocks of sixteen
    // bytes up to `end` are searched; their number. `block` moves on to where the search
    // stopped, `end` once it is done. Every block must be followed by one more byte, whose
    // neighbour it is.
    size_t Collect(const unsigned char* text, const unsigned char*& block, const unsigned char* end, size_t* found,
                   size_t room) const;

private:
    // A name's first and second letter with the case bit set, and whether any byte may follow
    // its first (a name of one letter). An unused name has 0 for its first: no byte with the
    // case bit set is 0.
    struct Name {
        unsigned char first = 0, second = 0;
        bool any = false;
    };
    static Name nameBytes(std::string_view name);
    size_t collectVector(const unsigned char* text, const unsigned char*& block, const unsigned char* end,
                         size_t* found, size_t room) const;
    size_t collectByTable(const unsigned char* text, const unsigned char*& block, const unsigned char* end,
                          size_t* found, size_t room) const;

    const unsigned char* m_first;
    Name m_user, m_computer;
    bool m_vector;
};
