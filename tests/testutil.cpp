#include "testutil.h"

#include "netlist/bytes.h"
#include "netlist/converter.h"
#include "netlist/mode.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/log.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

namespace testutil
{
TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wirelace-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot make a temporary folder";
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

static int ExitStatus(pid_t child)
{
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

int InChild(const std::function<int()>& work)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work());
    return ExitStatus(child);
}

int InChildAs(uid_t uid, gid_t gid, const std::vector<gid_t>& groups,
              const std::function<int()>& work)
{
    return InChild([&] {
        if (setgroups(groups.size(), groups.data()) != 0 || setresgid(gid, gid, gid) != 0 ||
            setresuid(uid, uid, uid) != 0)
            return 2;
        return work();
    });
}

std::vector<int> InChildrenAtOnce(const std::vector<std::function<int()>>& works)
{
    // Every child waits to read from the gate, which closing its writing
    // end opens for all of them at once.
    int gate[2];
    if (pipe(gate) != 0)
        return std::vector<int>(works.size(), -1);
    std::vector<pid_t> children;
    for (const auto& work : works)
    {
        children.push_back(fork());
        if (children.back() != 0)
            continue;
        close(gate[1]);
        char ignored;
        _exit(read(gate[0], &ignored, 1) == 0 ? work() : -1);
    }
    close(gate[0]);
    close(gate[1]);
    std::vector<int> statuses;
    for (pid_t child : children)
        statuses.push_back(ExitStatus(child));
    return statuses;
}

int ConvertWithinLimit(const std::string& in, const std::string& out, uint64_t limit)
{
    return InChild([&] {
        wxLogNull quiet;
        const rlimit size{limit, limit};
        if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &size) != 0)
            return 2;
        return kqNetConverter::Execute(in, 0, out, 0) ? 0 : 1;
    });
}

std::string BschText(int nets)
{
    std::string text = "$NETS\n";
    for (int net = 0; net < nets; ++net)
        text += "N" + std::to_string(net) + ";\tU1." + std::to_string(net) + " R7.2 C3.1\n";
    return text + "$END\n";
}

kqNetList MakeList(const NetSpecs& nets)
{
    kqNetList list;
    for (const NetSpec& wanted : nets)
    {
        kqNetList::Net net;
        net.m_name = kqBytesToString(wanted.name);
        for (const std::string& node : wanted.nodes)
            net.m_nodes.emplace_back(kqBytesToString(node));
        list.m_nets.push_back(net);
    }
    return list;
}

NetSpecs Describe(const kqNetList& list)
{
    NetSpecs nets;
    for (const kqNetList::Net& net : list.m_nets)
    {
        NetSpec described{kqStringToBytes(net.m_name), {}};
        for (const kqNetList::Net::Node& node : net.m_nodes)
            described.nodes.push_back(kqStringToBytes(node.m_text));
        nets.push_back(described);
    }
    return nets;
}

NetSpecs ReadAs(uint32_t mode, const std::string& bytes)
{
    TempDir dir;
    const std::string path = dir.File("in.net");
    WriteBytes(path, bytes);
    std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(mode));
    kqNetList list;
    if (!reader)
        ADD_FAILURE() << "no reader for format " << mode;
    else
        EXPECT_TRUE(reader->Read(path, list));
    return Describe(list);
}

std::string WriteAs(uint32_t mode, const NetSpecs& nets)
{
    TempDir dir;
    const std::string path = dir.File("out.net");
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(mode));
    if (!writer)
    {
        ADD_FAILURE() << "no writer for format " << mode;
        return std::string();
    }
    EXPECT_TRUE(writer->Write(path, MakeList(nets)));
    return ReadBytes(path);
}

std::string RealTestdataDir()
{
#ifdef WIRELACE_REAL_TESTDATA
    if (std::filesystem::is_directory(WIRELACE_REAL_TESTDATA))
        return WIRELACE_REAL_TESTDATA;
#endif
    return std::string();
}

void PrintTo(const NetSpec& net, std::ostream* os)
{
    *os << "[" << net.name << "]";
    for (const std::string& node : net.nodes)
        *os << " " << node;
}
}
