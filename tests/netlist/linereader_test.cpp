#include "netlist/linereader.h"

#include <gtest/gtest.h>
#include <wx/mstream.h>

// Lines as read, each followed by "|".
TEST(LineReader, CutsAtLfCrCrLfAndByteFourAndKeepsEveryOtherByte)
{
    const std::string head(64 * 1024 - 1, 'a'), odd("N\0\x01\x7f\x80\xff\f\v\t ", 10);
    const struct { std::string bytes, lines; } cases[] = {
        {"", "|"},
        {"X", "X|"},
        {"X\n", "X||"},
        {"A\r\nB\rC\n", "A|B|C||"},
        {"A\n\rB", "A||B|"},
        {"A\r", "A|"}, // looking for an LF after the last CR already meets the end
        {"A\r\r", "A||"},
        {"A\x04" "B", "A|B|"},
        {"A\r\x04", "A|||"},
        {odd + "\n", odd + "||"},
        // A CR as the buffer's last byte and its LF as the next buffer's first.
        {head + "\r\nB", head + "|B|"},
        {head + "\rB", head + "|B|"},
        {std::string(200000, 'x') + "\n", std::string(200000, 'x') + "||"},
    };
    for (const auto& c : cases)
    {
        wxMemoryInputStream input(c.bytes.data(), c.bytes.size());
        kqLineReader reader(input);
        std::string lines;
        while (!reader.Eof())
            lines += reader.ReadLine() + "|";
        EXPECT_FALSE(reader.Failed());
        EXPECT_EQ(lines, c.lines) << c.bytes.substr(0, 20);
    }
}
