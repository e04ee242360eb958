#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>

namespace ball {

namespace {

namespace fs = std::filesystem;

// Beside each file, under names no one else makes: its new content until the rename, its old
// version until the commit ends, and the journal of a commit of several files.
constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::string_view kBackupMark = ".bak";
constexpr std::string_view kJournalSuffix = ".journal";
constexpr std::string_view kJournalHeader = "ballview journal 1\n";
constexpr std::size_t kJournalMaxBytes = 64 * 1024;
constexpr std::size_t kRandomDigits = 16;

bool refusedByPermission(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// A name beside the file that nobody can guess ahead: the mark and 64 random bits.
fs::path markedBeside(const fs::path& path, std::string_view mark) {
    std::random_device rd;
    const unsigned long long bits = (static_cast<unsigned long long>(rd()) << 32) ^ rd();
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "%016llx", bits);
    fs::path marked = path;
    marked += std::string(mark) + suffix;
    return marked;
}

// Whether a folder entry is one that markedBeside makes for the file.
bool isMarked(const std::string& entry, const std::string& file, std::string_view mark) {
    const std::string stem = file + std::string(mark);
    return entry.size() == stem.size() + kRandomDigits && entry.starts_with(stem) &&
           std::all_of(entry.begin() + stem.size(), entry.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

fs::path journalOf(const fs::path& target) {
    fs::path journal = target;
    journal += std::string(kJournalSuffix);
    return journal;
}

bool standsThere(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A link is followed to the file it names, as a plain write would; a dangling one is made real.
fs::path resolved(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target;
}

// In a shared folder (the sticky bit, as in the system's temporary folder) only a file's owner
// or the folder's may replace it; the file itself may still be writable by all.
bool othersFileInSharedFolder(const fs::path& target) {
    struct stat folder {
    }, file{};
    const uid_t me = ::geteuid();
    return me != 0 && ::stat(FolderLock::folderOf(target).c_str(), &folder) == 0 &&
           (folder.st_mode & S_ISVTX) && folder.st_uid != me &&
           ::lstat(target.c_str(), &file) == 0 && file.st_uid != me;
}

RunError writeFailure(const fs::path& target, const std::string& name, FileRole role, int error) {
    Refuser refuser = Refuser::Unknown;
    if (refusedByPermission(error)) {
        refuser = othersFileInSharedFolder(target) ? Refuser::OtherUser : Refuser::Folder;
    }
    return RunError(ErrorKind::FileWriteFailure, name, role, refuser);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A new file beside the path under a fresh marked name, created exclusively and never through a
// link, so nothing planted at a name is touched; -1 with errno when none can be made.
int createMarked(const fs::path& path, std::string_view mark, mode_t mode, fs::path& made) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        made = markedBeside(path, mark);
        const int fd =
            ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes the bytes to an open new file, gives it the mode unless that is kCreatedMode, flushes
// it to disk and closes it; on failure removes it and keeps errno.
constexpr int kCreatedMode = -1;
bool finish(int fd, const fs::path& path, std::string_view bytes, int mode) {
    bool written = writeAll(fd, bytes) &&
                   (mode == kCreatedMode || ::fchmod(fd, static_cast<mode_t>(mode)) == 0) &&
                   ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) written = false, error = errno;
    if (!written) {
        ::unlink(path.c_str());
        errno = error;
    }
    return written;
}

std::optional<std::string> readSmallFile(const fs::path& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::string text(maxBytes + 1, '\0');
    std::size_t got = 0;
    ssize_t n = 0;
    while (got < text.size() && ((n = ::read(fd, text.data() + got, text.size() - got)) > 0 ||
                                 (n < 0 && errno == EINTR))) {
        if (n > 0) got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (n < 0 || got > maxBytes) return std::nullopt;
    text.resize(got);
    return text;
}

// One file of a commit: where it goes, whether a file stood there, its old version kept aside
// (empty: none is kept), and its new content until it is renamed in.
struct Entry {
    fs::path target;
    bool existed = false;
    fs::path backup;
    fs::path temporary;

    bool renamedIn() const { return !standsThere(temporary); }
};

// The old version of a file, kept aside under a marked name: a second link to it where the file
// system allows, a copy otherwise. None, with errno, when it cannot be kept.
std::optional<fs::path> keepAside(const fs::path& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) return std::nullopt;
    fs::path backup;
    for (int attempt = 0; attempt < 8; ++attempt) {
        backup = markedBeside(target, kBackupMark);
        if (::link(target.c_str(), backup.c_str()) == 0) return backup;
        if (errno != EEXIST) break;
    }
    const std::optional<std::string> old = readSmallFile(target, 16 * 1024 * 1024);
    if (!old) return std::nullopt;
    const int fd = createMarked(target, kBackupMark, 0600, backup);
    if (fd < 0 || !finish(fd, backup, *old, static_cast<int>(st.st_mode & 07777))) {
        return std::nullopt;
    }
    return backup;
}

std::string journalText(const std::vector<Entry>& entries) {
    std::string text(kJournalHeader);
    for (const Entry& e : entries) {
        for (const std::string& field : {e.target.string(), std::string(e.existed ? "1" : "0"),
                                         e.backup.string(), e.temporary.string()}) {
            text += field;
            text += '\0';
        }
    }
    return text;
}

std::optional<std::vector<Entry>> readJournal(const fs::path& journal) {
    const std::optional<std::string> text = readSmallFile(journal, kJournalMaxBytes);
    if (!text || !text->starts_with(kJournalHeader)) return std::nullopt;
    std::vector<std::string> fields;
    for (std::size_t at = kJournalHeader.size(); at < text->size();) {
        const std::size_t end = text->find('\0', at);
        if (end == std::string::npos) return std::nullopt;
        fields.push_back(text->substr(at, end - at));
        at = end + 1;
    }
    if (fields.empty() || fields.size() % 4 != 0) return std::nullopt;
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < fields.size(); i += 4) {
        entries.push_back({fields[i], fields[i + 1] == "1", fields[i + 2], fields[i + 3]});
    }
    return entries;
}

// Settles a commit that stopped part way: once every file is renamed in it is done and only
// the old versions go; otherwise every file goes back as it was, last first, and what was
// written for it goes. False when a file could not be put back; its old version stays.
bool settle(const std::vector<Entry>& entries) {
    const bool done =
        std::all_of(entries.begin(), entries.end(), [](const Entry& e) { return e.renamedIn(); });
    bool complete = true;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        if (!done && e->renamedIn()) {
            // A file without a kept version is renamed in last, so it is never put back.
            const bool back = e->existed ? !e->backup.empty() &&
                                               ::rename(e->backup.c_str(), e->target.c_str()) == 0
                                         : ::unlink(e->target.c_str()) == 0 || errno == ENOENT;
            if (!back) complete = false;
            if (!back) continue;
        }
        if (!e->backup.empty()) ::unlink(e->backup.c_str());
        ::unlink(e->temporary.c_str());
    }
    return complete;
}

// Settles the commit a journal names, if there is one. A journal that cannot be read was cut
// short before any rename (each is flushed first): only it goes. True when files were put back.
bool settleJournal(const fs::path& journal) {
    if (!standsThere(journal)) return false;
    const std::optional<std::vector<Entry>> entries = readJournal(journal);
    const bool putBack = entries && !std::all_of(entries->begin(), entries->end(),
                                                 [](const Entry& e) { return e.renamedIn(); });
    if (entries && !settle(*entries)) return false;
    ::unlink(journal.c_str());
    return putBack;
}

}  // namespace

ReplaceGroup::~ReplaceGroup() {
    for (const Staged& s : staged_) ::unlink(s.temporary.c_str());
}

void ReplaceGroup::add(const fs::path& path, std::string_view bytes, FileRole role) {
    const std::string name = path.string();
    const auto fail = [&](Refuser refuser) {
        return RunError(ErrorKind::FileWriteFailure, name, role, refuser);
    };
    const fs::path target = resolved(path);

    // A file the user may not write or replace stays as it is, as it would under a plain write;
    // one that may be written keeps its permissions.
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) throw RunError(ErrorKind::NotARegularFile, name, role);
    if (existed && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        throw fail(refusedByPermission(errno) ? Refuser::File : Refuser::Unknown);
    }
    if (existed && othersFileInSharedFolder(target)) throw fail(Refuser::OtherUser);

    fs::path tmp;
    const int fd = createMarked(target, kTemporaryMark, 0666, tmp);
    if (fd < 0) throw fail(refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown);
    // On disk before any rename, so that a power cut leaves the old file or the new one whole.
    const int mode = existed ? static_cast<int>(old.st_mode & 07777) : kCreatedMode;
    if (!finish(fd, tmp, bytes, mode)) {
        throw fail(refusedByPermission(errno) ? Refuser::Folder : Refuser::Unknown);
    }
    staged_.push_back({target, tmp, name, role});
}

void ReplaceGroup::commit(const FolderLock* held,
                          const std::function<void(std::size_t)>& afterRename) {
    std::vector<FolderLock> locks;
    for (const Staged& s : staged_) {
        const auto covers = [&](const FolderLock& l) { return l.coversCommitTo(s.target); };
        if ((held && covers(*held)) || std::any_of(locks.begin(), locks.end(), covers)) continue;
        locks.emplace_back(FolderLock::folderOf(s.target), FolderLock::Mode::Exclusive);
    }
    const auto flush = [&] {
        if (held) held->flush();
        for (const FolderLock& l : locks) l.flush();
    };

    // Several files: each old version aside and a journal naming them, on disk before the
    // first rename. One whose old version cannot be kept (a file the user may write but not
    // read) is renamed in last, when nothing can fail after it; two such cannot be replaced.
    std::vector<Entry> entries;
    std::vector<std::size_t> order;
    const fs::path journal = journalOf(staged_.empty() ? fs::path() : staged_.front().target);
    if (staged_.size() > 1) {
        settleJournal(journal);  // a commit here that a crash cut short
        std::optional<std::size_t> unkept;
        for (std::size_t i = 0; i < staged_.size(); ++i) {
            const Staged& s = staged_[i];
            Entry e{.target = s.target,
                    .existed = standsThere(s.target),
                    .backup = {},
                    .temporary = s.temporary};
            if (e.existed) {
                const std::optional<fs::path> backup = keepAside(s.target);
                if (!backup && unkept) {
                    const int error = errno;
                    settle(entries);  // the destructor removes every temporary left
                    throw refusedByPermission(error)
                        ? RunError(ErrorKind::PermissionDenied, s.name, s.role)
                        : writeFailure(s.target, s.name, s.role, error);
                }
                if (!backup) unkept = i;
                e.backup = backup.value_or(fs::path());
            }
            entries.push_back(e);
            if (unkept != i) order.push_back(i);
        }
        if (unkept) order.push_back(*unkept);
        fs::path written;
        const int fd = createMarked(journal, kTemporaryMark, 0600, written);
        if (fd < 0 || !finish(fd, written, journalText(entries), kCreatedMode) ||
            ::rename(written.c_str(), journal.c_str()) != 0) {
            const int error = errno;
            if (fd >= 0) ::unlink(written.c_str());
            settle(entries);
            const Staged& first = staged_.front();
            throw writeFailure(first.target, first.name, first.role, error);
        }
        flush();
    } else if (!staged_.empty()) {
        order.push_back(0);
    }

    for (std::size_t renamed = 0; renamed < order.size(); ++renamed) {
        const Staged& s = staged_[order[renamed]];
        if (::rename(s.temporary.c_str(), s.target.c_str()) != 0) {
            const RunError error = writeFailure(s.target, s.name, s.role, errno);
            // Whatever was renamed in goes back, and the temporaries go with the journal; one
            // that cannot be carried out stays for the next commit or start to finish.
            if (!entries.empty() && settle(entries)) ::unlink(journal.c_str());
            flush();
            throw error;
        }
        if (afterRename) afterRename(renamed + 1);
    }
    flush();  // the renames on disk before the journal goes
    if (!entries.empty()) {
        ::unlink(journal.c_str());
        settle(entries);  // every file renamed in: only the old versions go
        flush();
    }
    staged_.clear();
}

void replaceFile(const fs::path& path, std::string_view bytes, FileRole role) {
    ReplaceGroup group;
    group.add(path, bytes, role);
    group.commit();
}

bool recoverReplaced(const std::vector<fs::path>& files) {
    bool undone = false;
    for (const fs::path& file : files) {
        const fs::path target = resolved(file);
        const fs::path folder = FolderLock::folderOf(target);
        const FolderLock lock(folder, FolderLock::Mode::Exclusive, false);
        if (!lock.held()) continue;  // another program is at work there
        undone = settleJournal(journalOf(target)) || undone;
        const std::string name = target.filename().string();
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            if (isMarked(entry, name, kTemporaryMark) || isMarked(entry, name, kBackupMark) ||
                isMarked(entry, name + std::string(kJournalSuffix), kTemporaryMark)) {
                ::unlink(it->path().c_str());
            }
        }
        lock.flush();
    }
    return undone;
}

}  // namespace ball
