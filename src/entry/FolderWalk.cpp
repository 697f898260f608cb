#include "FolderWalk.h"

#include "CodePage.h"
#include "SystemReason.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace reelkeep {

const char* const kVideoExtensionList =
    "All video files|*.avi;*.ogm;*.mpg;*.mpe;*.mpeg;*.vob;*.mov;*.asf;*.wmv;*.ram;*.rm;*.mp4;*.mkv;*.ifo;*.ts;*rmvb;*.flv|"
    "AVI files|*.avi|OGM files|*.ogm|MPG files|*.mpg;*.mpe*|MOV files|*.mov|ASF files|*.asf|WMV files|*.wmv|"
    "RAM files|*.ram;*.rm;*.rmvb|DVD files|*.vob;*.ifo|MP4 files|*.mp4|Matroska|*.mkv|TS|*.ts|FLV|*.flv";

bool IsVideoFileName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    static const QString list = QString::fromLatin1(kVideoExtensionList);
    return list.contains(CodePage::Default().lower(QStringView(fileName).mid(dot)));
}

namespace {

using Identity = std::pair<dev_t, ino_t>;

Identity identityOf(const struct stat& st)
{
    return {st.st_dev, st.st_ino};
}

// Folders are opened relative to their parent's descriptor, so no path is
// resolved again from the root on the way down.
int openFolder(int parent, const char* name)
{
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

struct Entry {
    QByteArray rawName;
    QString name;
    unsigned char type;
};

// The entries of an open folder, in the order they are entered.
std::vector<Entry> readEntries(int fd)
{
    std::vector<Entry> entries;
    const int own = ::dup(fd);
    DIR* dir = own < 0 ? nullptr : ::fdopendir(own);
    if (!dir) {
        if (own >= 0)
            ::close(own);
        return entries;
    }
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray raw(e->d_name);
        if (raw == "." || raw == "..")
            continue;
        entries.push_back({raw, QFile::decodeName(raw), e->d_type});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.rawName < b.rawName;
    });
    return entries;
}

class Walker {
public:
    explicit Walker(const std::function<bool()>& cancelled)
        : m_cancelled(cancelled)
    {
    }

    void walk(const QString& root)
    {
        const int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            skip(root, Message("WalkFolderNotOpened").arg(SystemReason(errno)));
            return;
        }
        noteFoldersHolding(fd);
        struct stat st {};
        ::fstat(fd, &st);
        m_seen.insert(identityOf(st));
        m_folders.push_back({root, identityOf(st), readEntries(fd), 0, {}});
        m_fd = fd;
        run();
        if (m_fd >= 0)
            ::close(m_fd);
    }

    VideoBatches result;

private:
    struct Folder {
        QString path;
        Identity identity;
        std::vector<Entry> entries;
        size_t next;
        QStringList files;
    };

    // The start and every folder above it: a link back up to one of them would
    // walk the start's surroundings, or the start itself again.
    void noteFoldersHolding(int start)
    {
        int fd = ::dup(start);
        struct stat st {};
        while (fd >= 0 && ::fstat(fd, &st) == 0 && m_holding.insert(identityOf(st)).second) {
            const int up = openFolder(fd, "..");
            ::close(fd);
            fd = up;
        }
        if (fd >= 0)
            ::close(fd);
    }

    void skip(const QString& path, const Message& reason) { result.Skipped.push_back({path, reason}); }

    void run()
    {
        while (!m_folders.empty()) {
            Folder& folder = m_folders.back();
            if (folder.next == folder.entries.size()) {
                leave();
                continue;
            }
            if (m_cancelled && m_cancelled())
                return;
            const Entry entry = folder.entries[folder.next++];
            visit(folder, entry);
        }
    }

    void visit(Folder& folder, const Entry& entry)
    {
        const QString path = folder.path + QLatin1Char('/') + entry.name;
        bool isFolder = entry.type == DT_DIR;
        bool isFile = entry.type == DT_REG;
        if (entry.type == DT_LNK || entry.type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(m_fd, entry.rawName.constData(), &st, 0) != 0) {
                if (IsVideoFileName(entry.name))
                    skip(path, Message("WalkLinkNowhere").arg(SystemReason(errno)));
                return;
            }
            isFolder = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (!isFolder && !IsVideoFileName(entry.name))
            return;
        // A name the file system holds in another encoding cannot be opened by its text.
        if (QFile::encodeName(entry.name) != entry.rawName) {
            skip(path, Message("WalkNameNotUtf8"));
            return;
        }
        if (isFolder)
            enter(path, entry);
        else if (isFile)
            folder.files.append(path);
        else
            skip(path, Message("WalkNotRegular"));
    }

    void enter(const QString& path, const Entry& entry)
    {
        const int fd = openFolder(m_fd, entry.rawName.constData());
        if (fd < 0) {
            skip(path, Message("WalkFolderNotOpened").arg(SystemReason(errno)));
            return;
        }
        struct stat st {};
        ::fstat(fd, &st);
        const Identity identity = identityOf(st);
        if (m_holding.count(identity)) {
            ::close(fd);
            skip(path, Message("WalkLinkLoop"));
            return;
        }
        if (!m_seen.insert(identity).second) {
            ::close(fd); // walked already, reached again through a link
            return;
        }
        ::close(m_fd);
        m_fd = fd;
        m_folders.push_back({path, identity, readEntries(fd), 0, {}});
    }

    // Files of the finished folder become its batch; the walk goes back up to its parent.
    void leave()
    {
        Folder done = std::move(m_folders.back());
        m_folders.pop_back();
        if (!done.files.isEmpty())
            result.Batches.push_back(std::move(done.files));
        if (m_folders.empty())
            return;
        const Folder& parent = m_folders.back();
        // ".." is the parent unless the folder was reached through a link.
        int fd = openFolder(m_fd, "..");
        struct stat st {};
        if (fd >= 0 && (::fstat(fd, &st) != 0 || identityOf(st) != parent.identity)) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0)
            fd = ::open(QFile::encodeName(parent.path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(m_fd);
        m_fd = fd;
        if (fd < 0 || ::fstat(fd, &st) != 0 || identityOf(st) != parent.identity) {
            // The folder was moved or removed meanwhile: its remaining entries cannot be reached.
            skip(parent.path, Message("WalkFolderChanged"));
            m_folders.back().entries.resize(m_folders.back().next);
        }
    }

    const std::function<bool()>& m_cancelled;
    std::vector<Folder> m_folders;
    int m_fd = -1; // the folder on top of m_folders
    std::set<Identity> m_seen;
    std::set<Identity> m_holding;
};

} // namespace

VideoBatches CollectVideoBatches(const QString& dir, const std::function<bool()>& cancelled)
{
    QString root = dir;
    while (root.size() > 1 && (root.endsWith(QLatin1Char('/')) || root.endsWith(QLatin1Char('\\'))))
        root.chop(1);
    Walker walker(cancelled);
    walker.walk(root);
    return std::move(walker.result);
}

} // namespace reelkeep
