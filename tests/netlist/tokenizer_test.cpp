#include "netlist/bytes.h"
#include "netlist/tokenizer.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::string> Tokens(const std::string& keywords, const std::string& line)
{
    kqNetListTokenizer tokenizer;
    tokenizer.SetKeywords(kqBytesToString(keywords));
    tokenizer.SetString(kqBytesToString(line));
    std::vector<std::string> tokens;
    while (tokenizer.HasMoreTokens())
        tokens.push_back(kqStringToBytes(tokenizer.GetNextToken()));
    // Past the last token: empty, and still nothing more.
    EXPECT_EQ(tokenizer.GetNextToken(), wxString());
    EXPECT_FALSE(tokenizer.HasMoreTokens());
    return tokens;
}

using Strings = std::vector<std::string>;
}

TEST(Tokenizer, CutsAtBlanksThenAtKeywordCharacters)
{
    EXPECT_EQ(Tokens(";,", "GND;U1.7,C3.2 ,"), (Strings{"GND", ";", "U1.7", ",", "C3.2", ","}));
    EXPECT_EQ(Tokens(";,", "  VCC ; U1.14 ,  "), (Strings{"VCC", ";", "U1.14", ","}));
    EXPECT_EQ(Tokens(";,", ";;"), (Strings{";", ";"}));
    EXPECT_EQ(Tokens(";,", "A;B"), (Strings{"A", ";", "B"}));
    EXPECT_EQ(Tokens("{}:;,", "NET{GND:U1(7),C3(2);}"),
              (Strings{"NET", "{", "GND", ":", "U1(7)", ",", "C3(2)", ";", "}"}));
    EXPECT_EQ(Tokens("{}:;,", "U1 (7)"), (Strings{"U1", "(7)"}));
    EXPECT_EQ(Tokens("", "A;B C"), (Strings{"A;B", "C"}));
}

TEST(Tokenizer, OnlySpaceTabCrLfSeparateWords)
{
    EXPECT_EQ(Tokens(";,", ""), Strings{});
    EXPECT_EQ(Tokens(";,", " \t\r\n "), Strings{});
    EXPECT_EQ(Tokens(";,", "a\fb\vc"), Strings{"a\fb\vc"});
    EXPECT_EQ(Tokens(";,", std::string("a\0b c", 5)), (Strings{std::string("a\0b", 3), "c"}));
    EXPECT_EQ(Tokens("{}:;,", "Net NET"), (Strings{"Net", "NET"}));
    EXPECT_EQ(Tokens(";,", "\xE4\xFF;x"), (Strings{"\xE4\xFF", ";", "x"}));
}

TEST(Tokenizer, NewLineDropsTheRestOfThePreviousOneButKeepsKeywords)
{
    kqNetListTokenizer tokenizer;
    EXPECT_FALSE(tokenizer.HasMoreTokens());
    EXPECT_EQ(tokenizer.GetNextToken(), wxString());
    tokenizer.SetKeywords(";");
    tokenizer.SetString("A;B C");
    EXPECT_EQ(tokenizer.GetNextToken(), "A");
    tokenizer.SetString("x;y");
    EXPECT_EQ(tokenizer.GetNextToken(), "x");
    EXPECT_EQ(tokenizer.GetNextToken(), ";");
    EXPECT_EQ(tokenizer.GetNextToken(), "y");
    EXPECT_FALSE(tokenizer.HasMoreTokens());
}
