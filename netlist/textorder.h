// The one order of net names and node texts. Sorting and the merge that
// counts common nodes both go through it: if they disagreed, nets that
// share nodes would silently stop pairing.
//
// Byte order: characters compare as unsigned values one by one, the first
// difference decides, and a proper prefix sorts first. Every character read
// from a file is one byte (0 to 255), so this is the order of the files'
// bytes, and that of wxString::Cmp.
#ifndef WIRELACE_NETLIST_TEXTORDER_H
#define WIRELACE_NETLIST_TEXTORDER_H

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

class kqTextOrder
{
public:
    kqTextOrder() = delete;

    static std::wstring_view View(const wxString& text) { return {text.wx_str(), text.length()}; }

    // Negative, 0 or positive as `a` sorts before, with or after `b`.
    static int Compare(std::wstring_view a, std::wstring_view b) { return a.compare(b); }
    static int Compare(const wxString& a, const wxString& b) { return Compare(View(a), View(b)); }
    static bool Equal(const wxString& a, const wxString& b) { return View(a) == View(b); }

    // A text with its first eight characters packed into one number, one
    // byte each, the first in the highest byte, a shorter text padded with
    // 0. Different prefixes order as Compare orders the texts (0 is the
    // least character, so padding sorts a prefix first), and most
    // comparisons never touch the characters.
    class Key
    {
    public:
        explicit Key(const wxString& text) : Key(View(text)) {}
        explicit Key(std::wstring_view text) : m_prefix(0), m_packed(true), m_text(text)
        {
            // Without a branch per character: the bits past 8 of every
            // packed character are gathered and checked once.
            const size_t packed = text.size() < PACKED ? text.size() : PACKED;
            uint32_t high = 0;
            for (size_t i = 0; i < packed; ++i)
            {
                const auto c = static_cast<uint32_t>(text[i]);
                high |= c;
                m_prefix = (m_prefix << 8) | (c & 0xFF);
            }
            if (packed > 0 && packed < PACKED)
                m_prefix <<= 8 * (PACKED - packed);
            if (high > 0xFF)
            {
                m_prefix = 0;
                m_packed = false;
            }
        }

        // Compare's order.
        bool operator<(const Key& other) const
        {
            if (m_packed && other.m_packed && m_prefix != other.m_prefix)
                return m_prefix < other.m_prefix;
            return Compare(m_text, other.m_text) < 0;
        }

    private:
        static constexpr size_t PACKED = 8;

        uint64_t m_prefix;
        // False when a character past 255 (which no file gives) kept the
        // prefix from packing; the text alone orders then.
        bool m_packed;
        std::wstring_view m_text;
    };
};

#endif
