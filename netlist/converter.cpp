#include "netlist/converter.h"

#include "netlist/bytes.h"
#include "netlist/mode.h"
#include "netlist/netlist.h"
#include "netlist/reader.h"
#include "netlist/writer.h"

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <string_view>

// A converted file goes to its target by one of two routes. Where a new
// file can take the old one's place and change nothing but the text, the
// text is written to a new file beside the target and renamed into place
// once it is whole and on disk. The new file is open to no one but its
// maker until it has the old one's owner, group and permission bits, and
// only then takes the text. A failure while it is written, a lack of room
// as much as any other, is final and leaves the target as it was.
// Everywhere else (links, files with other names or attributes, other
// people's files, folders the user may not add to) the text is written in
// place, through the system's own open, one conversion at a time, and only
// once the whole text is sure to fit: it is within the file-size limit,
// and the room it needs is reserved or, where the file system cannot
// reserve room, the holes it reports below the text's end are filled with
// zeros and the part past the old end is written first. What is left then
// overwrites blocks the file already has, so a full disk cannot cut it
// short, and any failure before it leaves the target as it was.
//
// Limits of writing in place: a hole that the file system does not report
// still takes new room when written, and so does every overwritten block
// on a copy-on-write file system (such as btrfs); a disk that fills then
// leaves the target partly rewritten, as an I/O error or a crash does
// anywhere. A set-id file written by anyone but root loses its set-id
// bits, which the kernel clears on such a write. A name that a bind mount
// gives the file elsewhere is not seen as a second name: the rename route
// leaves that name on the old text. Messages name the file the user chose,
// in the toolkit's own words.
namespace
{
// How the rename route ended: it was not open, and nothing changed; or the
// text could not be written, and the target is as it was; or it is done.
enum class RENAME_OUTCOME
{
    NOT_TAKEN,
    FAILED,
    WRITTEN
};

const char TEMPORARY_PREFIX[] = ".wirelace-";

// Only a plain file of the user's own that he may write, with one name and
// no extended attributes, can be replaced by a new one without losing
// anything but its old text. Another's file in a shared folder is left to
// the kernel's guards, which only writing in place consults.
bool RenameKeepsAllButText(const char* target, const struct stat& old)
{
    return S_ISREG(old.st_mode) && old.st_nlink == 1 && old.st_uid == geteuid() &&
           faccessat(AT_FDCWD, target, W_OK, AT_EACCESS) == 0 &&
           llistxattr(target, nullptr, 0) == 0;
}

// `succeeded`; a failure is logged first, with the reason the system gave,
// under the name `shown`.
bool Reported(bool succeeded, const wxString& format, const wxString& shown)
{
    if (!succeeded)
        wxLogSysError(format, shown);
    return succeeded;
}

bool WriteReported(bool succeeded, const wxString& shown)
{
    return Reported(succeeded, _("Write error on file '%s'"), shown);
}

// Writes the whole text at `offset`, or where the file stands when
// `offset` is -1 (pipes and devices have no place to write at); a write
// that takes part of it is offered the rest.
bool WriteText(int fd, std::string_view text, off_t offset, const wxString& shown)
{
    const auto writeSome = [fd, &offset](const char* bytes, size_t length) {
        const ssize_t taken =
            offset < 0 ? write(fd, bytes, length) : pwrite(fd, bytes, length, offset);
        if (taken <= 0)
            return size_t(0);
        if (offset >= 0)
            offset += taken;
        return size_t(taken);
    };
    return WriteReported(kqWriteAll(text.data(), text.size(), writeSome), shown);
}

bool Sync(int fd, const wxString& shown)
{
    return Reported(fsync(fd) == 0, _("failed to flush the file '%s'"), shown);
}

// A unique name in the target's folder, as mkstemp makes them; nothing
// but creating it with O_EXCL makes it unique.
std::string NameBeside(const std::string& target)
{
    static const char LETTERS[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 pick(static_cast<unsigned>(
        getpid() ^ std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<size_t> letter(0, sizeof LETTERS - 2);
    // In the target's folder; a bare name has no slash, and npos + 1 is 0.
    std::string name = target.substr(0, target.rfind('/') + 1) + TEMPORARY_PREFIX;
    for (int i = 0; i < 6; ++i)
        name += LETTERS[letter(pick)];
    return name;
}

// Creates the new file beside the target with the permission bits `mode`,
// as any program creates a file, so that the umask or the folder's default
// access list take from them; -1 when no name is free or the folder
// refuses.
int CreateBeside(const std::string& target, mode_t mode, std::string& created)
{
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        created = NameBeside(target);
        const int fd = open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd != -1 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the new file the owner, group and permission bits of the one it
// replaces, but for the set-id bits, which writing would clear; false when
// any of it cannot be had, or when the file has an extended attribute of
// its own (such as the folder's default access list), which the old one
// lacked. The owner goes first: a change of owner can clear bits.
bool TakeOwnerAndBits(int fd, const struct stat& old)
{
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    if (flistxattr(fd, nullptr, 0) != 0)
        return false;
    return fchmod(fd, old.st_mode & 07777 & ~(S_ISUID | S_ISGID)) == 0;
}

// Gives the new file the old one's set-id bits, now that the text is in;
// false when the system does not keep them exactly (a group the user is
// not in loses its set-group-id bit without an error).
bool GiveSetIdBits(int fd, const struct stat& old)
{
    const mode_t bits = old.st_mode & 07777;
    if (!(bits & (S_ISUID | S_ISGID)))
        return true;
    struct stat now;
    if (fchmod(fd, bits) != 0 || fstat(fd, &now) != 0)
        return false;
    return (now.st_mode & 07777) == bits;
}

// Fills the new file: the old file's owner and bits where there is one,
// the text, and the text on disk.
RENAME_OUTCOME Fill(int fd, const struct stat* old, std::string_view text, const wxString& shown)
{
    if (old && !TakeOwnerAndBits(fd, *old))
        return RENAME_OUTCOME::NOT_TAKEN;
    if (!WriteText(fd, text, 0, shown))
        return RENAME_OUTCOME::FAILED;
    if (old && !GiveSetIdBits(fd, *old))
        return RENAME_OUTCOME::NOT_TAKEN;
    if (!Sync(fd, shown))
        return RENAME_OUTCOME::FAILED;
    return RENAME_OUTCOME::WRITTEN;
}

// The rename route: the text goes to a new file beside the target, which
// takes the target's place once it is whole and on disk, so after a crash
// the target holds the old text or the new. `old` is the file replaced, or
// null where there is none. A file that replaces another is made open to
// its maker alone: it is open to no more users than the old one from the
// moment it exists until it has the old one's bits. A file where none was
// gets what the umask or its folder gives, like any other new file.
RENAME_OUTCOME ReplaceByRename(const char* target, const struct stat* old,
                              std::string_view text, const wxString& shown)
{
    std::string temporary;
    const int fd = CreateBeside(target, old ? 0600 : 0666, temporary);
    if (fd == -1)
        return RENAME_OUTCOME::NOT_TAKEN;
    RENAME_OUTCOME outcome = Fill(fd, old, text, shown);
    if (close(fd) != 0 && outcome == RENAME_OUTCOME::WRITTEN)
    {
        wxLogSysError(_("can't close file '%s'"), shown);
        outcome = RENAME_OUTCOME::FAILED;
    }
    if (outcome == RENAME_OUTCOME::WRITTEN && std::rename(temporary.c_str(), target) == 0)
        return RENAME_OUTCOME::WRITTEN;
    unlink(temporary.c_str());
    return outcome == RENAME_OUTCOME::FAILED ? RENAME_OUTCOME::FAILED : RENAME_OUTCOME::NOT_TAKEN;
}

// A text longer than the soft file-size limit can never land whole: the
// kernel refuses any write past the limit, wherever the file ends.
bool FitsSizeLimit(size_t length, const wxString& shown)
{
    rlimit limit;
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        length <= limit.rlim_cur)
        return true;
    errno = EFBIG;
    return WriteReported(false, shown);
}

// Cuts a file that a failed attempt lengthened back to its old length.
void CutBack(int fd, off_t oldLength, const wxString& shown)
{
    struct stat now;
    if (fstat(fd, &now) == 0 && now.st_size > oldLength)
        WriteReported(ftruncate(fd, oldLength) == 0, shown);
}

bool WriteZeros(int fd, off_t from, off_t to, const wxString& shown)
{
    static const char ZEROS[64 * 1024] = {};
    while (from < to)
    {
        const size_t piece = size_t(std::min<off_t>(sizeof ZEROS, to - from));
        if (!WriteText(fd, {ZEROS, piece}, from, shown))
            return false;
        from += piece;
    }
    return true;
}

// Writes zeros over the holes that the file system reports below `end`,
// so that overwriting them later takes no new blocks. A hole reads as
// zeros, so no reader sees a byte change, even where this stops part way.
bool FillHoles(int fd, off_t end, const wxString& shown)
{
    off_t hole = lseek(fd, 0, SEEK_HOLE);
    while (hole >= 0 && hole < end)
    {
        const off_t data = lseek(fd, hole, SEEK_DATA);
        // ENXIO: no data after the hole, which runs to the end of the file.
        if (data < 0 && !WriteReported(errno == ENXIO, shown))
            return false;
        const off_t holeEnd = data < 0 ? end : std::min(data, end);
        if (!WriteZeros(fd, hole, holeEnd, shown))
            return false;
        hole = lseek(fd, holeEnd, SEEK_HOLE);
    }
    return true;
}

// Takes the room the new text needs before anything is overwritten, so
// that a full disk or a quota fails while the old text is still whole.
// Mode 0 reserves it, growing a shorter file to the new length. A file
// system that cannot reserve room gets the holes it reports below the
// text's end filled and the part of the text past the old end written
// there first instead.
bool Reserve(int fd, off_t oldLength, std::string_view text, const wxString& shown)
{
    if (text.empty() || fallocate(fd, 0, 0, text.size()) == 0)
        return true;
    if (errno != EOPNOTSUPP)
    {
        WriteReported(false, shown);
        // Room found only in part may have lengthened the file already.
        CutBack(fd, oldLength, shown);
        return false;
    }
    if (!FillHoles(fd, std::min<off_t>(oldLength, text.size()), shown))
        return false;
    if (text.size() <= size_t(oldLength))
        return true;
    if (WriteText(fd, text.substr(oldLength), oldLength, shown))
        return true;
    CutBack(fd, oldLength, shown);
    return false;
}

// Waits until no other conversion holds the file. A file system without
// locks lets the file be written unlocked, as it was before locks.
void WaitForTurn(int fd)
{
    int locked;
    do
        locked = flock(fd, LOCK_EX);
    while (locked != 0 && errno == EINTR);
}

// Writes the text over a plain file from its start once it is sure to
// land, cuts the file to the text's length and puts it on disk, one
// conversion at a time.
bool WriteOver(int fd, std::string_view text, const wxString& shown)
{
    WaitForTurn(fd);
    struct stat old;
    if (!WriteReported(fstat(fd, &old) == 0, shown))
        return false;
    if (!FitsSizeLimit(text.size(), shown) || !Reserve(fd, old.st_size, text, shown))
        return false;
    if (!WriteText(fd, text, 0, shown))
        return false;
    if (!WriteReported(ftruncate(fd, text.size()) == 0, shown))
        return false;
    return Sync(fd, shown);
}

// The in-place route: the file is opened as it always was, created where
// missing and not cut short, through the system's own open, so that the
// kernel's guards for links and for files planted in shared folders apply.
// Devices and pipes take the text as it comes.
bool WriteInPlace(const char* target, std::string_view text, const wxString& shown)
{
    const int fd = open(target, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (!Reported(fd != -1, _("can't open file '%s'"), shown))
        return false;
    struct stat opened;
    const bool plain = fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    const bool written = plain ? WriteOver(fd, text, shown) : WriteText(fd, text, -1, shown);
    // Closing also lets the lock go.
    const bool closed = close(fd) == 0;
    return written && Reported(closed, _("can't close file '%s'"), shown);
}

// Puts the text in place of `path`, by the rename route where it is open,
// else in place. A failure while the new file is written is final: the
// target is as it was.
bool WriteWhole(std::string_view text, const wxString& path)
{
    const wxCharBuffer name = path.fn_str();
    if (!name.data())
    {
        errno = EILSEQ;
        return Reported(false, _("can't open file '%s'"), path);
    }
    struct stat old;
    const bool found = lstat(name, &old) == 0;
    const bool missing = !found && errno == ENOENT;
    if (missing || (found && RenameKeepsAllButText(name, old)))
    {
        const RENAME_OUTCOME renamed = ReplaceByRename(name, found ? &old : nullptr, text, path);
        if (renamed != RENAME_OUTCOME::NOT_TAKEN)
            return renamed == RENAME_OUTCOME::WRITTEN;
    }
    return WriteInPlace(name, text, path);
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
    // The whole text first: its length is known before anything is
    // overwritten.
    wxMemoryOutputStream text;
    if (!writer->Write(text, list))
        return false;
    const auto* bytes = static_cast<const char*>(text.GetOutputStreamBuffer()->GetBufferStart());
    return WriteWhole(std::string_view(bytes, text.GetLength()), outPath);
}
