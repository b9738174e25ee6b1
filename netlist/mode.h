// The format table: each format's id, display name and the class names of
// its reader and writer, and the operations over it.
#ifndef WIRELACE_NETLIST_MODE_H
#define WIRELACE_NETLIST_MODE_H

#include <wx/string.h>

#include <cstdint>

class wxChoice;
class kqNetListReader;
class kqNetListWriter;

// One row of the format table; its id is its position in the table.
struct Mode
{
    int32_t m_id;
    wxString m_displayName;
    wxString m_readerClass;
    wxString m_writerClass;
};

class kqNetMode
{
public:
    kqNetMode() = delete;

    // Appends the display names in table order and selects the first item.
    static void InitChoice(wxChoice& choice);
    // "BSch/Allegro|*.*|PADS|*.*|ZukenECF|*.*": one all-files filter per
    // format, in table order.
    static wxString GetDialogWildcard();
    // A new reader or writer of the format, owned by the caller; null when
    // no row has that id.
    static kqNetListReader* GetReader(uint32_t id);
    static kqNetListWriter* GetWriter(uint32_t id);
    // The format id at a list position; -1 past the table.
    static int32_t GetMode(uint32_t position);
};

#endif
