#include "netlist/converter.h"

#include "netlist/mode.h"
#include "netlist/netlist.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <wx/file.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace
{
// The file that writing to `path` would fill: the end of its chain of
// symbolic links, so that replacing it keeps every link a link. A link
// that leads nowhere gives the path a new file would be created at; a chain
// that cannot be followed to its end gives "".
std::string FollowLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path file(path);
    std::error_code error;
    // As many links as the system itself follows before it gives up.
    for (int hop = 0; hop < 40; ++hop)
    {
        if (!fs::is_symlink(file, error))
            return file.string();
        const fs::path target = fs::read_symlink(file, error);
        if (error)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return std::string();
}

// What a file created anew gets: everything the umask allows.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the new file the owner and permission bits of the one it replaces
// (the owner only where the system allows), or those of a file created
// anew; mkstemp makes it readable to its owner alone.
void TakeOver(int fd, const struct stat* replaced)
{
    if (!replaced)
    {
        fchmod(fd, NewFileMode());
        return;
    }
    // Before the mode: a change of owner can clear set-id bits.
    if (fchown(fd, replaced->st_uid, replaced->st_gid) != 0)
    {
        // Not the writer's to give away: the file stays the writer's own.
    }
    fchmod(fd, replaced->st_mode & 07777);
}

// A file that is there is replaced only when it is a plain file the user
// may write. Anything else (a device, a pipe, a file kept from writing) is
// written to as it always was, and succeeds or fails as it always did.
bool MayReplace(const std::string& target, const struct stat& status)
{
    return S_ISREG(status.st_mode) && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// Writes `list` into a new file beside `target`, then puts it in the
// target's place; on any failure the new file is removed again.
bool WriteBeside(kqNetListWriter& writer, const std::string& target, const struct stat* replaced,
                 const kqNetList& list)
{
    const size_t slash = target.rfind('/');
    std::string temporary =
        (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
        ".wirelace-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd == -1)
    {
        // In the toolkit's own words, as when the target cannot be created.
        wxLogSysError(_("can't create file '%s'"), temporary);
        return false;
    }
    TakeOver(fd, replaced);
    wxFile file(fd);
    wxFileOutputStream output(file);
    // On disk before it takes the target's name: after a crash the target
    // is then either the old text or the whole new one.
    bool whole = writer.Write(output, list) && file.Flush() && file.Close();
    if (whole && std::rename(temporary.c_str(), target.c_str()) != 0)
    {
        wxLogSysError(_("File '%s' couldn't be renamed '%s'"), temporary, target);
        whole = false;
    }
    if (!whole)
        std::remove(temporary.c_str());
    return whole;
}

// Writes `list` so that `path` ends up holding the whole new text or stays
// as it was (or absent). The text goes to a new file beside the target,
// which takes the target's place only once it is whole: a write cut short
// by a full disk, a quota or a file-size limit then costs nothing, and
// converting a file onto itself can never lose it.
bool WriteWhole(kqNetListWriter& writer, const wxString& path, const kqNetList& list)
{
    const wxCharBuffer bytes = path.fn_str();
    // A name the system cannot spell, or links without an end, fail in the
    // writer as they always did.
    const std::string target =
        bytes.data() ? FollowLinks(std::string(bytes.data(), bytes.length())) : std::string();
    if (target.empty())
        return writer.Write(path, list);
    struct stat replaced;
    if (stat(target.c_str(), &replaced) != 0)
        return WriteBeside(writer, target, nullptr, list);
    if (!MayReplace(target, replaced))
        return writer.Write(path, list);
    return WriteBeside(writer, target, &replaced, list);
}
}

bool kqNetConverter::Execute(const wxString& inPath, uint32_t inMode, const wxString& outPath,
                             uint32_t outMode)
{
    kqNetList list;
    {
        std::unique_ptr<kqNetListReader> reader(kqNetMode::GetReader(inMode));
        if (!reader)
            return false;
        // An unreadable input must not overwrite the target with an empty
        // netlist.
        if (!reader->Read(inPath, list))
            return false;
    }
    std::unique_ptr<kqNetListWriter> writer(kqNetMode::GetWriter(outMode));
    if (!writer)
        return false;
    return WriteWhole(*writer, outPath, list);
}
