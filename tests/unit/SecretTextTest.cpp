// Secrets in copies of whole files: the names that count as secret, and the file text filtered
// piece by piece however the pieces fall.
#include <gtest/gtest.h>

#include <string>

#include "log/TextFileFilter.h"

namespace {

const std::string kHidden = "******** (hidden)";

std::string filtered(const std::string& text, size_t piece, unsigned long long* leftOut = nullptr,
                     const CSecretNames& names = SecretNames()) {
    CTextFileFilter filter(names);
    std::string out;
    for (size_t at = 0; at < text.size(); at += piece) filter.Filter(std::string_view(text).substr(at, piece), out);
    filter.Finish(out);
    if (leftOut) *leftOut = filter.LeftOut();
    return out;
}

}  // namespace

TEST(SecretNames, TheProgramsWordsInAnyCaseAndExactPin) {
    const CSecretNames& names = SecretNames();
    for (const char* name : {"Password", "DBPASSWD", "pwd", "ClientSecret", "access_token", "Credentials", "MyApiKey",
                             "API_KEY", "pin", " PIN\t"})
        EXPECT_TRUE(names.Matches(name)) << name;
    for (const char* name : {"", "Pass word", "Spin", "PinCode", "Tokyo", "api key", "Path"})
        EXPECT_FALSE(names.Matches(name)) << name;

    // A maintainer's list: contained and exact words, blanks of any kind between them.
    const CSecretNames custom("*PassPhrase*\t otp  *");
    EXPECT_TRUE(custom.Matches("WifiPASSPHRASE"));
    EXPECT_TRUE(custom.Matches("OTP"));
    EXPECT_FALSE(custom.Matches("otp1"));
    EXPECT_FALSE(custom.Matches("password"));
    EXPECT_EQ(9u, custom.Overlap());
}

TEST(TextFileFilter, SecretLinesHiddenTheRestAsItWasHoweverThePiecesFall) {
    const std::string text = "[db]\r\n"
                             "user=admin\r\n"
                             "  Password = \thunter2=x\r\n"
                             "no equals password here\n"
                             "pin=1234\r"
                             "spin=1\r\n"
                             "token=\r\n"
                             "=secret\r\n"
                             "apikey=k\x01y\r\n"
                             "last=line";
    const std::string expected = "[db]\r\n"
                                 "user=admin\r\n"
                                 "  Password = \t" + kHidden + "\r\n"
                                 "no equals password here\n"
                                 "pin=" + kHidden + "\r"
                                 "spin=1\r\n"
                                 "token=" + kHidden + "\r\n"
                                 "=secret\r\n"
                                 "apikey=" + kHidden + "\r\n"
                                 "last=line";
    for (size_t piece = 1; piece <= text.size(); ++piece) {
        unsigned long long leftOut = 0;
        ASSERT_EQ(expected, filtered(text, piece, &leftOut)) << "pieces of " << piece;
        EXPECT_EQ(1u, leftOut);
    }
    // A last line with no '=' and no line end is written at the end.
    EXPECT_EQ("a\r\nno end", filtered("a\r\nno end", 4));
}

TEST(TextFileFilter, WordsFoundWhereverTheirFirstTwoLettersFall) {
    // A left-out byte inside a word's first pair, words of one letter, and a list with no words.
    const std::string text = "p\x01" "assword=a\r\nxy=b\r\nkey=c\r\nk=d\r\nPA=e";
    const CSecretNames oneLetter("*y* k"), none("");
    for (size_t piece = 1; piece <= text.size(); ++piece) {
        ASSERT_EQ("password=" + kHidden + "\r\nxy=b\r\nkey=c\r\nk=d\r\nPA=e", filtered(text, piece))
            << "pieces of " << piece;
        ASSERT_EQ("password=a\r\nxy=" + kHidden + "\r\nkey=" + kHidden + "\r\nk=" + kHidden + "\r\nPA=e",
                  filtered(text, piece, nullptr, oneLetter))
            << "pieces of " << piece;
        ASSERT_EQ("password=a\r\nxy=b\r\nkey=c\r\nk=d\r\nPA=e", filtered(text, piece, nullptr, none))
            << "pieces of " << piece;
    }
}

TEST(TextFileFilter, AWordIsFoundWhereverItStandsInALongName) {
    // Names are scanned several bytes at a time: the word starts at each place in such a run,
    // and one letter short of it nothing is hidden.
    for (size_t lead = 0; lead < 9; ++lead) {
        const std::string name = std::string(lead, 'x') + "Token", shorter = std::string(lead, 'x') + "Toke";
        const std::string text = "a=1\r\n" + name + "=v\r\n" + shorter + "=v\r\n";
        for (size_t piece : {text.size(), size_t{7}})
            ASSERT_EQ("a=1\r\n" + name + "=" + kHidden + "\r\n" + shorter + "=v\r\n", filtered(text, piece))
                << lead << " before it, pieces of " << piece;
    }
}

TEST(TextFileFilter, NamesTooLongToHoldAreStillTested) {
    // The word lies before, across and after the point where the held name is written out.
    for (size_t at = 65520; at < 65560; at += 3) {
        const std::string name = std::string(at, 'n') + "Secret" + std::string(70000 - at, 'n');
        const std::string out = filtered(name + "=s3cr3t\r\nnext=1\r\n", 16384);
        ASSERT_EQ(name + "=" + kHidden + "\r\nnext=1\r\n", out) << at;
    }
    const std::string plain(200000, 'p');
    EXPECT_EQ(plain + "=shown", filtered(plain + "=shown", 16384));
}
