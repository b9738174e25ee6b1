#include "netlist/reader.h"

#include "netlist/bytes.h"
#include "netlist/linereader.h"

#include <wx/wfstream.h>

kqNetListReader::kqNetListReader() : m_list(nullptr), m_net(nullptr) {}

kqNetListReader::~kqNetListReader()
{
    delete m_net;
}

bool kqNetListReader::Read(const wxString& path, kqNetList& list)
{
    delete m_net;
    m_net = nullptr;
    m_list = &list;
    Init();

    // The stream logs the reason through the toolkit's error log.
    wxFileInputStream input(path);
    if (!input.IsOk())
        return false;

    kqLineReader lines(input);
    wxString line;
    while (!lines.Eof())
    {
        const std::string& bytes = lines.ReadLine();
        if (lines.Failed())
            break;
        kqAssignBytes(line, bytes.data(), bytes.size());
        ParseLine(line);
    }
    EndOfNet();
    return !lines.Failed();
}

void kqNetListReader::ParseLine(const wxString& line)
{
    m_tokenizer.SetString(line);
    // The token and m_lastToken trade their memory at every step, so that
    // cutting a line allocates next to nothing.
    wxString token;
    while (m_tokenizer.GetNextToken(token))
    {
        OnToken(token);
        m_lastToken.swap(token);
    }
    OnTermLine();
}

void kqNetListReader::BeginOfNet(const wxString& name)
{
    EndOfNet();
    m_net = new kqNetList::Net;
    m_net->m_name = name;
}

void kqNetListReader::EndOfNet()
{
    if (!m_net)
        return;
    // The list holds nets by value; move the open one in rather than copy it.
    m_list->m_nets.push_back(std::move(*m_net));
    delete m_net;
    m_net = nullptr;
}

void kqNetListReader::OnNode(const wxString& text)
{
    if (m_net)
        m_net->m_nodes.emplace_back(text);
}
