#include "netlist/bytes.h"
#include "netlist/tokenizer.h"

#include <gtest/gtest.h>

TEST(Tokenizer, CutsAtSpaceTabCrLfThenAtKeywordCharacters)
{
    const struct { std::string keywords, line, tokens; } cases[] = {
        {";,", "GND;U1.7,C3.2 ,", "GND|;|U1.7|,|C3.2|,|"},
        {";,", "  VCC ; U1.14 ,  ", "VCC|;|U1.14|,|"},
        {";,", ";;", ";|;|"},
        {";,", "A;B", "A|;|B|"},
        {"{}:;,", "NET{GND:U1(7),C3(2);}", "NET|{|GND|:|U1(7)|,|C3(2)|;|}|"},
        {"{}:;,", "U1 (7)", "U1|(7)|"},
        {"", "A;B C", "A;B|C|"},
        {";,", " \t\r\n ", ""},
        {";,", std::string("\xE4\f\0\v\xFF;x y", 9), std::string("\xE4\f\0\v\xFF|;|x|y|", 12)},
    };
    for (const auto& c : cases)
    {
        kqNetListTokenizer tokenizer;
        tokenizer.SetKeywords(kqBytesToString(c.keywords));
        // A new line drops whatever was left of the one before.
        tokenizer.SetString("left;over");
        tokenizer.GetNextToken();
        tokenizer.SetString(kqBytesToString(c.line));
        std::string tokens;
        while (tokenizer.HasMoreTokens())
            tokens += kqStringToBytes(tokenizer.GetNextToken()) + "|";
        EXPECT_EQ(tokens, c.tokens) << c.line;
        EXPECT_EQ(tokenizer.GetNextToken(), wxString()); // and nothing more
    }
}
