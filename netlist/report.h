// The comparison report is produced piece by piece into a sink: plain text
// (headings, net names, separators, line feeds) and bracketed node texts
// that are either matched or not. One sink keeps the text as a string,
// another keeps its bytes, a third shows them, coloured, in a text control.
#ifndef WIRELACE_NETLIST_REPORT_H
#define WIRELACE_NETLIST_REPORT_H

#include "netlist/netlist.h"

#include <wx/string.h>

#include <cstddef>
#include <string>
#include <vector>

class wxTextCtrl;

class kqReportSink
{
public:
    virtual ~kqReportSink() = default;

    virtual void Plain(const wxString& text) = 0;
    // One node with its brackets: "(text)" when matched, "<text>" when not.
    virtual void Node(const wxString& bracketed, bool matched) = 0;
};

// "[name]", then " (node)" or " <node>" for every node in list order.
void kqWriteNet(const kqNetList::Net& net, kqReportSink& sink);

class kqReportStringSink : public kqReportSink
{
public:
    void Plain(const wxString& text) override { m_text += text; }
    void Node(const wxString& bracketed, bool) override { m_text += bracketed; }

    const wxString& Text() const { return m_text; }

private:
    wxString m_text;
};

// The report as a file holds it: one byte per character.
class kqReportBytesSink : public kqReportSink
{
public:
    void Plain(const wxString& text) override;
    void Node(const wxString& bracketed, bool) override;

    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

// Hands every piece to two sinks, so that one pass over the records fills
// both.
class kqReportTeeSink : public kqReportSink
{
public:
    kqReportTeeSink(kqReportSink& first, kqReportSink& second) : m_first(first), m_second(second)
    {
    }

    void Plain(const wxString& text) override;
    void Node(const wxString& bracketed, bool matched) override;

private:
    kqReportSink& m_first;
    kqReportSink& m_second;
};

// Collects the report as the control is to show it, then writes it in a few
// calls. A GTK text view pays for every style change in a line with work
// that grows with the number of changes already in it, both when the style
// is set and when the line is laid out, so a net of thousands of nodes must
// not bring one change per node. Everything from the first node on goes in
// as one black text, and then each run of same-coloured nodes of one net is
// coloured at once, the single spaces between them included: a space shows
// no colour. What shows is the same as appending each piece under its own
// default style:
// - the text before the first node keeps the control's own default style;
// - after that the default style is black, so all but the nodes is black;
// - each node is blue when matched, red when not.
class kqReportCtrlSink : public kqReportSink
{
public:
    void Plain(const wxString& text) override;
    void Node(const wxString& bracketed, bool matched) override;

    void WriteTo(wxTextCtrl& ctrl) const;

private:
    // Nodes of one colour with one space between each and the next.
    struct Run
    {
        size_t start;
        size_t end;
        bool matched;
    };

    wxString m_beforeFirstNode;
    wxString m_fromFirstNode;
    std::vector<Run> m_runs; // positions inside m_fromFirstNode
};

#endif
