#include "netlist/linereader.h"

#include <gtest/gtest.h>
#include <wx/mstream.h>

namespace
{
using Lines = std::vector<std::string>;

Lines Cut(const std::string& bytes)
{
    wxMemoryInputStream input(bytes.data(), bytes.size());
    kqLineReader reader(input);
    Lines lines;
    while (!reader.Eof())
        lines.push_back(reader.ReadLine());
    EXPECT_FALSE(reader.Failed());
    return lines;
}
}

TEST(LineReader, EndsOfFile)
{
    EXPECT_EQ(Cut(""), Lines{""});
    EXPECT_EQ(Cut("X"), Lines{"X"});
    EXPECT_EQ(Cut("X\n"), (Lines{"X", ""}));
    EXPECT_EQ(Cut("X\r\n"), (Lines{"X", ""}));
    // Looking for an LF after the last CR already meets the end.
    EXPECT_EQ(Cut("A\r"), Lines{"A"});
    EXPECT_EQ(Cut("A\r\r"), (Lines{"A", ""}));
}

TEST(LineReader, LfCrAndCrLfEachEndOneLine)
{
    EXPECT_EQ(Cut("A\r\nB\rC\n"), (Lines{"A", "B", "C", ""}));
    EXPECT_EQ(Cut("A\n\rB"), (Lines{"A", "", "B"}));
    EXPECT_EQ(Cut("\n\n"), (Lines{"", "", ""}));
}

TEST(LineReader, ByteFourEndsALineAndIsDropped)
{
    EXPECT_EQ(Cut("A\x04" "B"), (Lines{"A", "B"}));
    EXPECT_EQ(Cut("A\x04\n"), (Lines{"A", "", ""}));
    EXPECT_EQ(Cut("A\r\x04"), (Lines{"A", "", ""}));
}

TEST(LineReader, EveryOtherByteStaysInTheLine)
{
    const std::string odd("N\0\x01\x7f\x80\xff\f\v\t ", 10);
    EXPECT_EQ(Cut(odd + "\n"), (Lines{odd, ""}));
}

TEST(LineReader, LinesLongerThanTheBufferAndLineEndsAcrossIt)
{
    const std::string longLine(200000, 'x');
    EXPECT_EQ(Cut(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
    // A CR as the buffer's last byte and its LF as the next buffer's first.
    const std::string head(64 * 1024 - 1, 'a');
    EXPECT_EQ(Cut(head + "\r\nB"), (Lines{head, "B"}));
    EXPECT_EQ(Cut(head + "\rB"), (Lines{head, "B"}));
}
