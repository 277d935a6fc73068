// The printed log's layout without a printer: pages laid out before printing, and the text area
// inside the paper's margins and the device's printable area.
#include <gtest/gtest.h>

#include <string>

#include "output/LogPrinter.h"

namespace {

std::string Lines(int count, const char* end = "") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "L" + std::to_string(i) + (i < count ? "\r\n" : end);
    return text;
}

std::vector<PrintedPage> Pages(const std::string& text, int charsPerLine, int linesPerPage) {
    return LayOutPages(text.data(), text.data() + text.size(), charsPerLine, linesPerPage);
}

std::string Joined(const PrintedPage& page) {
    std::string text;
    for (const PrintedLine& line : page) text += std::string(line.text, line.length) + "|";
    return text;
}

TEST(PrintLayoutTest, PagesAreCountedBeforePrintingAndEndWhereTheTextEnds) {
    EXPECT_EQ(1u, Pages(Lines(4), 10, 4).size()) << "a full page and nothing more";
    const auto withLineEnd = Pages(Lines(4, "\r\n"), 10, 4);
    ASSERT_EQ(2u, withLineEnd.size()) << "the empty line after the last line end starts page 2";
    EXPECT_EQ("|", Joined(withLineEnd[1]));
    const auto empty = Pages("", 10, 4);
    ASSERT_EQ(1u, empty.size()) << "an empty log prints one page";
    EXPECT_EQ("|", Joined(empty[0]));

    // A line one character longer than the page puts that character alone on the next line, and
    // the continued lines count towards the pages as any other.
    const std::string text = "abcdefghijk\r\nL2\r\nL3";  // the lines point into it
    const auto cut = Pages(text, 10, 2);
    ASSERT_EQ(2u, cut.size());
    EXPECT_EQ("abcdefghij|k|", Joined(cut[0]));
    EXPECT_EQ("L2|L3|", Joined(cut[1]));
    EXPECT_EQ(3u, Pages(Lines(9), 10, 4).size());
}

// A4 at 300 dpi as Wine's PostScript driver describes it: a quarter inch it cannot print on.
constexpr PrinterPage kA4{300, 300, 2329, 3358, 2479, 3508, 75, 75};

TEST(PrintLayoutTest, MarginsAreThreeQuartersOfAnInchFromThePaperButNeverInTheUnprintableEdge) {
    const RECT area = TextArea(kA4);
    EXPECT_EQ(225 - 75, area.left);
    EXPECT_EQ(225 - 75, area.top);
    EXPECT_EQ(2479 - 225 - 75, area.right);
    EXPECT_EQ(3508 - 225 - 75, area.bottom);

    PrinterPage wide = kA4;  // an unprintable edge of an inch on the left and at the top
    wide.offsetX = wide.offsetY = 300;
    wide.width = 2479 - 300 - 75;
    wide.height = 3508 - 300 - 75;
    const RECT inside = TextArea(wide);
    EXPECT_EQ(0, inside.left);
    EXPECT_EQ(0, inside.top);
    EXPECT_EQ(wide.width - 150, inside.right);
    EXPECT_EQ(wide.height - 150, inside.bottom);

    PrinterPage unknown = kA4;  // no paper size: the margins lie inside the printable area
    unknown.paperWidth = unknown.paperHeight = 0;
    const RECT within = TextArea(unknown);
    EXPECT_EQ(225, within.left);
    EXPECT_EQ(kA4.height - 225, within.bottom);

    PrinterPage label = kA4;  // too small for its margins: printed edge to edge
    label.width = label.height = label.paperWidth = label.paperHeight = 400;
    label.offsetX = label.offsetY = 0;
    const RECT whole = TextArea(label);
    EXPECT_EQ(0, whole.left);
    EXPECT_EQ(400, whole.right);
}

}  // namespace
