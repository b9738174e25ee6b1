#include "netlist/mode.h"

#include "netlist/reader.h"
#include "netlist/writer.h"

#include <wx/choice.h>

namespace
{
const Mode table[] = {
    {0, "BSch/Allegro", "kqNetBschReader", "kqNetBschWriter"},
    {1, "PADS", "kqNetPadsReader", "kqNetPadsWriter"},
    {2, "ZukenECF", "kqNetECFReader", "kqNetECFWriter"},
};
const uint32_t TABLE_SIZE = sizeof(table) / sizeof(table[0]);

const Mode* FindRow(uint32_t id)
{
    for (const Mode& row : table)
        if (static_cast<uint32_t>(row.m_id) == id)
            return &row;
    return nullptr;
}

// The registry knows every reader and writer only as a wxObject; the row
// says which family the class belongs to. Null when the class is unknown.
wxObject* CreateByClassName(const wxString& className)
{
    return wxCheckDynamicCast(wxCreateDynamicObject(className), &wxObject::ms_classInfo);
}
}

void kqNetMode::InitChoice(wxChoice& choice)
{
    for (const Mode& row : table)
        choice.Append(row.m_displayName);
    choice.SetSelection(0);
}

wxString kqNetMode::GetDialogWildcard()
{
    wxString wildcard;
    for (const Mode& row : table)
        wildcard += wxString::Format("%s|*.*|", row.m_displayName);
    wildcard.RemoveLast();
    return wildcard;
}

kqNetListReader* kqNetMode::GetReader(uint32_t id)
{
    const Mode* row = FindRow(id);
    return row ? static_cast<kqNetListReader*>(CreateByClassName(row->m_readerClass)) : nullptr;
}

kqNetListWriter* kqNetMode::GetWriter(uint32_t id)
{
    const Mode* row = FindRow(id);
    return row ? static_cast<kqNetListWriter*>(CreateByClassName(row->m_writerClass)) : nullptr;
}

int32_t kqNetMode::GetMode(uint32_t position)
{
    return position < TABLE_SIZE ? table[position].m_id : -1;
}
