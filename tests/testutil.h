// Helpers shared by the tests: temporary files, exact bytes in and out, and
// a compact way to describe netlists.
#ifndef WIRELACE_TESTS_TESTUTIL_H
#define WIRELACE_TESTS_TESTUTIL_H

#include "netlist/netlist.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <set>
#include <sys/types.h>
#include <string>
#include <utility>
#include <vector>

namespace testutil
{
// A fresh folder, removed with everything in it at the end of its scope.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// The names in `folder`.
std::set<std::string> FilesIn(const std::string& folder);

// Runs `work` in a child process, which ends with what it returns; the
// child's exit status, or -1 when it could not start or did not end
// normally. Nothing the child does reaches this process's test results.
int InChild(const std::function<int()>& work);
// The same, in a child that first takes the user id `uid`, the group id
// `gid` and the further groups `groups`: 2 when it cannot take them. Only
// root can.
int InChildAs(uid_t uid, gid_t gid, const std::vector<gid_t>& groups,
              const std::function<int()>& work);
// Runs each of `works` in a child process of its own, all let go at the
// same moment; their exit statuses, as InChild gives them.
std::vector<int> InChildrenAtOnce(const std::vector<std::function<int()>>& works);
// Converts BSch/Allegro to BSch/Allegro in a child process whose files may
// not grow past `limit` bytes. SIGXFSZ is ignored, so a write past the
// limit is cut short and the next one fails, as on a full disk. 0 when the
// conversion succeeds, 1 when it fails.
int ConvertWithinLimit(const std::string& in, const std::string& out, uint64_t limit);

// A BSch/Allegro netlist of `nets` nets in the writer's own layout, so
// that converting it to BSch/Allegro gives the same bytes back.
std::string BschText(int nets);

// A net as name and node texts, for building and checking netlists.
struct NetSpec
{
    std::string name;
    std::vector<std::string> nodes;
    bool operator==(const NetSpec& other) const
    {
        return name == other.name && nodes == other.nodes;
    }
};
using NetSpecs = std::vector<NetSpec>;
// Readable failure output for net descriptions.
void PrintTo(const NetSpec& net, std::ostream* os);

kqNetList MakeList(const NetSpecs& nets);
NetSpecs Describe(const kqNetList& list);

// Reads `bytes` with the reader of format `mode`, through a real file.
NetSpecs ReadAs(uint32_t mode, const std::string& bytes);
// Writes `nets` with the writer of format `mode`; the file's bytes.
std::string WriteAs(uint32_t mode, const NetSpecs& nets);

// The folder of netlists written by other tools, or "" when this checkout
// has none (a user's clone); tests skip then, saying so.
std::string RealTestdataDir();
}


#endif
