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
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

// A converted file goes to its target by one of two routes. Where a new
// file can take the old one's place and change nothing but the text, the
// text is written beside the target and renamed into place once it is
// whole. Everywhere else (links, files with other names or attributes,
// other people's files, folders the user may not add to) it is written in
// place, through the system's own open, after room for it is reserved.
// Either way a conversion that cannot finish leaves the target as it was.
// Messages name the file the user chose, in the toolkit's own words.
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

// What a file created anew gets: everything the umask allows.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

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

// Gives the new file exactly the owner, group and permission bits of the
// one it replaces, and no extended attribute of its own (such as a default
// access list of the folder); false when any of it cannot be had. A file
// created anew gets what the umask allows, as any other.
bool TakeOver(int fd, const struct stat* old)
{
    if (!old)
        return fchmod(fd, NewFileMode()) == 0;
    // The owner before the bits: a change of owner can clear set-id bits.
    return fchown(fd, old->st_uid, old->st_gid) == 0 && fchmod(fd, old->st_mode & 07777) == 0 &&
           flistxattr(fd, nullptr, 0) == 0;
}

// `succeeded`; a failure is logged first, with the reason the system gave,
// under the name `shown`.
bool Reported(bool succeeded, const wxString& format, const wxString& shown)
{
    if (!succeeded)
        wxLogSysError(format, shown);
    return succeeded;
}

// Writes the whole text; a write that takes part of it is offered the rest.
bool WriteText(int fd, std::string_view text, const wxString& shown)
{
    const auto writeSome = [fd](const char* bytes, size_t length) {
        const ssize_t taken = write(fd, bytes, length);
        return taken > 0 ? size_t(taken) : 0;
    };
    const bool written = kqWriteAll(text.data(), text.size(), writeSome);
    return Reported(written, _("Write error on file '%s'"), shown);
}

// Writes the text over a plain file from its start, cuts the file to the
// text's length and puts it on disk.
bool WriteFile(int fd, std::string_view text, const wxString& shown)
{
    return WriteText(fd, text, shown) &&
           Reported(ftruncate(fd, text.size()) == 0, _("Write error on file '%s'"), shown) &&
           Reported(fsync(fd) == 0, _("failed to flush the file '%s'"), shown);
}

// Closes a file that was written to; false when it was not written whole.
bool Close(int fd, bool written, const wxString& shown)
{
    return Reported(close(fd) == 0 || !written, _("can't close file '%s'"), shown) && written;
}

// Takes room for the new length before anything is overwritten, so that a
// full disk, a quota or a file-size limit fails while the old text is still
// whole. Mode 0 grows the file to the new length, and only growth is held
// to the size limit. A file system that cannot reserve room is written
// without.
bool Reserve(int fd, off_t length, off_t oldLength, const wxString& shown)
{
    if (length == 0 || fallocate(fd, 0, 0, length) == 0 || errno == EOPNOTSUPP)
        return true;
    wxLogSysError(_("Write error on file '%s'"), shown);
    // Room found only in part may have lengthened the file already.
    struct stat now;
    if (fstat(fd, &now) == 0 && now.st_size > oldLength && ftruncate(fd, oldLength) != 0)
        wxLogSysError(_("Write error on file '%s'"), shown);
    return false;
}

// The rename route: the text goes to a new file beside the target, which
// takes the target's place once it is whole and on disk, so after a crash
// the target holds the old text or the new. `old` is the file replaced, or
// null where there is none.
RENAME_OUTCOME ReplaceByRename(const char* target, const struct stat* old,
                              std::string_view text, const wxString& shown)
{
    const std::string path(target);
    // In the target's folder; a bare name has no slash, and npos + 1 is 0.
    std::string temporary = path.substr(0, path.rfind('/') + 1) + ".wirelace-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd == -1)
        return RENAME_OUTCOME::NOT_TAKEN;
    const bool madeAlike = TakeOver(fd, old);
    const bool written = Close(fd, madeAlike && WriteFile(fd, text, shown), shown);
    if (written && std::rename(temporary.c_str(), target) == 0)
        return RENAME_OUTCOME::WRITTEN;
    unlink(temporary.c_str());
    return madeAlike && !written ? RENAME_OUTCOME::FAILED : RENAME_OUTCOME::NOT_TAKEN;
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
    const bool written = plain ? Reserve(fd, text.size(), opened.st_size, shown) &&
                                     WriteFile(fd, text, shown)
                               : WriteText(fd, text, shown);
    return Close(fd, written, shown);
}

// Puts the text in place of `path`, by the rename route where it is open,
// else in place. A failure while the new file is written is final: the
// target is as it was, and writing it in place would fail the same way.
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
    if ((!found && errno == ENOENT) || (found && RenameKeepsAllButText(name, old)))
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
