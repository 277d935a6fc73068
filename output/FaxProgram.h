// Corvane's fax product, Ravelin: found through its registry keys, driven over DDE (the service
// "FAXMNG", topic "TRANSMIT", item "Sendfax"), printed to through its printer "Ravelin".
#pragma once
#include <windows.h>

#include <string>

// (major x 65536) + (high word of minor x 10 + low word of minor) mod 65536.
DWORD EncodeFaxVersion(DWORD major, DWORD minor);

constexpr DWORD kFaxVersion750 = 0x70032;
constexpr DWORD kFaxVersion800 = 0x80000;

class CFaxProgram {
public:
    // True when a supported version (7.50 or later) is installed with its program key; the
    // version (capped at 8.00) and the program's directory are then kept.
    bool Find();
    DWORD version() const { return m_version; }
    // What starts the program: its directory followed by the command of its version; empty when
    // the version has no command of its own and the directory is empty too.
    std::string StartCommand() const;

private:
    DWORD m_version = 0;
    std::string m_directory;
};

// The one fax program of the process, found once and kept.
CFaxProgram& TheFaxProgram();
inline bool FindFaxProgram() { return TheFaxProgram().Find(); }

// What the user asked to send.
struct FaxRequest {
    std::string number;
    std::string details;
};

// The commands poked to the fax program. A double quote in the user's text becomes an apostrophe,
// so that no text can leave its double-quoted field.
std::string RecipientCommand(const std::string& number);
std::string CoverPageCommand(const std::string& details);

// Opens the conversation with the fax program, starting the program once when nobody answers,
// and pokes the recipient and the cover page. Gives up after limitMs without a conversation.
// False on any failure; DisconnectFaxProgram releases what was acquired in every case.
constexpr DWORD kFaxConnectLimitMs = 30000;
bool ConnectFaxProgram(const CFaxProgram& program, const FaxRequest& request, DWORD limitMs = kFaxConnectLimitMs);
// Ends the conversation and gives the fax program back its "DoNotUseWizard" setting.
void DisconnectFaxProgram(const CFaxProgram& program);

// The device context of the fax program's printer; null (last error set) when there is none.
HDC CreateFaxPrinterDC();
