#pragma once

// What a power cut can leave of a command's work. A command runs under strace, which records
// every call it makes of the file system; the calls on files under one folder (the world) become
// operations on a model of that folder's tree. For any point of the record, the states a power
// cut could leave are rebuilt after the model of ext4 and similar journaling file systems used by
// the crash-consistency studies (ALICE, CrashMonkey): data written to a file persists only once
// that file is synced, and is otherwise lost, wholly or in part; a file's creation, a rename and
// a removal persist only once the folder holding them is synced; what persisted keeps its order.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

#include <sys/stat.h>

namespace CrashStates {

// The calls strace records: every one that creates, writes, truncates, syncs, renames or
// removes, and those that move a file's offset or duplicate its descriptor.
inline const QString TracedCalls =
    QStringLiteral("open,openat,creat,close,dup,dup2,dup3,fcntl,lseek,read,write,pwrite64,writev,"
                   "pwritev,pwritev2,ftruncate,truncate,fsync,fdatasync,sync,syncfs,"
                   "sync_file_range,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,rmdir,"
                   "link,linkat,symlink,symlinkat,copy_file_range,sendfile,fallocate");

// A file or a folder of the tree, by its number.
struct Node
{
    bool folder = false;
    QByteArray data;
};

// A folder tree: node 0 is the world's root; each name in a folder leads to a node.
struct Tree
{
    QHash<int, Node> nodes{{0, Node{true, {}}}};
    QMap<std::pair<int, QString>, int> names;

    // The node at a path inside the world ("folder/data.rfl"); -1 when there is none.
    int find(const QString& path) const
    {
        int node = 0;
        for (const QString& name : path.split(u'/', Qt::SkipEmptyParts)) {
            node = names.value({node, name}, -1);
            if (node < 0)
                return -1;
        }
        return node;
    }
    // Every file and folder reachable from the root, by path, with the bytes of each file.
    QMap<QString, std::optional<QByteArray>> files(int folder = 0, const QString& at = {}) const
    {
        QMap<QString, std::optional<QByteArray>> all;
        for (auto it = names.lowerBound({folder, QString()});
             it != names.cend() && it.key().first == folder; ++it) {
            const QString path = at + it.key().second;
            const Node& node = nodes.value(it.value());
            if (node.folder)
                all.insert(files(it.value(), path + u'/'));
            all.insert(path, node.folder ? std::nullopt : std::optional<QByteArray>(node.data));
        }
        return all;
    }
};

// One change a command asked of the file system, on nodes numbered as the command saw them.
struct Operation
{
    enum Kind
    {
        Create, // a file or a folder named in a folder
        Rename,
        Remove,
        Write,
        Truncate,
        Sync,     // of a file's data, or of a folder's names
        Succeeded // the command reported success
    };
    Kind kind = Sync;
    int node = -1;
    int folder = -1; // where a name is made, moved from or removed
    QString name;
    int toFolder = -1; // where a rename moves it
    QString toName;
    bool makesFolder = false;
    qint64 offset = 0; // of a write; the new size of a truncation
    QByteArray bytes;
    QString call; // as the trace has it, with its paths, for messages
};

inline Operation operation(Operation::Kind kind, int node, const QString& call)
{
    Operation op;
    op.kind = kind;
    op.node = node;
    op.call = call;
    return op;
}

// Applied to a tree as far as it can be: a rename or a removal whose name is not in the tree
// (its creation was lost) is left out, as it never was.
inline void apply(Tree& tree, const Operation& op)
{
    switch (op.kind) {
    case Operation::Create: // a file made unnamed (O_TMPFILE) keeps what was written into it
        if (tree.nodes.contains(op.folder)) {
            if (!tree.nodes.contains(op.node))
                tree.nodes.insert(op.node, Node{op.makesFolder, {}});
            tree.names.insert({op.folder, op.name}, op.node);
        }
        break;
    case Operation::Rename:
        if (tree.names.value({op.folder, op.name}, -1) == op.node &&
            tree.nodes.contains(op.toFolder)) {
            tree.names.remove({op.folder, op.name});
            tree.names.insert({op.toFolder, op.toName}, op.node);
        }
        break;
    case Operation::Remove:
        if (tree.names.value({op.folder, op.name}, -1) == op.node)
            tree.names.remove({op.folder, op.name});
        break;
    case Operation::Write: {
        QByteArray& data = tree.nodes[op.node].data;
        if (data.size() < op.offset + op.bytes.size())
            data.resize(op.offset + op.bytes.size(), '\0');
        data.replace(op.offset, op.bytes.size(), op.bytes);
        break;
    }
    case Operation::Truncate:
        tree.nodes[op.node].data.resize(op.offset, '\0');
        break;
    case Operation::Sync:
    case Operation::Succeeded:
        break;
    }
}

// The tree of a folder on disk, links and anything else but files and folders left out, as
// Tankr never follows them.
inline Tree treeOf(const QString& root, const QStringList& leftOut)
{
    Tree tree;
    int next = 1;
    std::function<void(int, const QString&)> read = [&](int folder, const QString& path) {
        for (const QString& name :
             QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
            const QString child = path + u'/' + name;
            if (leftOut.contains(child))
                continue;
            struct stat status;
            if (::lstat(QFile::encodeName(child).constData(), &status) != 0)
                continue;
            const bool isFolder = S_ISDIR(status.st_mode);
            if (!isFolder && !S_ISREG(status.st_mode))
                continue;
            QFile file(child);
            const QByteArray data =
                !isFolder && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            tree.nodes.insert(next, Node{isFolder, data});
            tree.names.insert({folder, name}, next);
            const int node = next++;
            if (isFolder)
                read(node, child);
        }
    };
    read(0, root);
    return tree;
}

// Writes the tree into the empty folder `root`.
inline bool materialise(const Tree& tree, const QString& root)
{
    const auto all = tree.files();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const QString path = root + u'/' + it.key();
        if (!it.value()) {
            if (!QDir().mkpath(path))
                return false;
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(*it.value()) != it.value()->size())
            return false;
    }
    return true;
}

// The calls of a strace record (-f -y -xx) made on files under `world`, as operations on the
// tree it started from; the numbers of new nodes follow those of the tree. A call on the world
// that the model does not know throws, so that no change goes unchecked.
class TraceReader
{
public:
    TraceReader(const QString& world, Tree start) : m_world(world), m_tree(std::move(start))
    {
        for (auto it = m_tree.nodes.cbegin(); it != m_tree.nodes.cend(); ++it)
            m_next = std::max(m_next, it.key() + 1);
    }

    QList<Operation> read(const QByteArray& trace)
    {
        QHash<QByteArray, QByteArray> unfinished; // by process
        for (const QByteArray& raw : trace.split('\n')) {
            QByteArray line = raw.trimmed();
            const qsizetype space = line.indexOf(' ');
            const QByteArray pid = line.left(space);
            if (line.endsWith("<unfinished ...>")) {
                unfinished.insert(pid, line.chopped(16));
                continue;
            }
            if (const qsizetype resumed = line.indexOf(" resumed>"); resumed > 0)
                line = unfinished.take(pid) + line.mid(resumed + 9);
            take(line.mid(space + 1).trimmed()); // strace pads a short process number
        }
        return m_operations;
    }

private:
    struct Open
    {
        int node;
        qint64 offset = 0;
        bool append = false;
    };

    // As strace -xx writes every byte of a string: "\x2f".
    static QByteArray escaped(const QByteArray& bytes)
    {
        QByteArray text;
        for (const char byte : bytes)
            text += "\\x" + QByteArray::number(uchar(byte), 16).rightJustified(2, '0');
        return text;
    }
    static QByteArray decoded(QByteArrayView text)
    {
        QByteArray bytes;
        for (qsizetype i = 0; i + 3 < text.size() && text.at(i) == '\\'; i += 4)
            bytes.append(char(text.sliced(i + 2, 2).toByteArray().toInt(nullptr, 16)));
        return bytes;
    }
    // "AT_FDCWD</tmp/w>" or "4</tmp/w/x>": the number and the path it stands for.
    static std::pair<int, QString> descriptor(const QByteArray& argument)
    {
        const qsizetype open = argument.indexOf('<');
        const qsizetype close = argument.lastIndexOf('>'); // "(deleted)" may follow
        const int number = argument.startsWith("AT_FDCWD") ? -100 : argument.left(open).toInt();
        return {number, open < 0 || close < open
                            ? QString()
                            : QFile::decodeName(decoded(
                                  QByteArrayView(argument).sliced(open + 1, close - open - 1)))};
    }
    static QByteArray string(const QByteArray& argument)
    {
        return decoded(QByteArrayView(argument).sliced(1, argument.size() - 2));
    }
    // A path argument, made whole against the folder of `at`.
    QString pathOf(const QByteArray& at, const QByteArray& argument) const
    {
        const QString path = QFile::decodeName(string(argument));
        return QDir::cleanPath(path.startsWith(u'/') ? path : descriptor(at).second + u'/' + path);
    }
    std::optional<QString> inWorld(const QString& path) const
    {
        if (path == m_world)
            return QString();
        if (!path.startsWith(m_world + u'/'))
            return std::nullopt;
        return path.mid(m_world.size() + 1);
    }

    void add(Operation op)
    {
        apply(m_tree, op);
        m_operations.append(std::move(op));
    }
    // The folder and name of a path inside the world.
    std::pair<int, QString> place(const QString& inside) const
    {
        const qsizetype slash = inside.lastIndexOf(u'/');
        return {slash < 0 ? 0 : m_tree.find(inside.left(slash)), inside.mid(slash + 1)};
    }
    void create(const QString& inside, bool folder, const QString& call)
    {
        const auto [parent, name] = place(inside);
        Operation op = operation(Operation::Create, m_next++, call);
        op.folder = parent;
        op.name = name;
        op.makesFolder = folder;
        add(op);
    }

    void take(const QByteArray& line)
    {
        static const QRegularExpression shape(
            QStringLiteral("^(\\w+)\\((.*)\\) += (-?\\d+|\\?)(<[^>]*>)?"));
        const QRegularExpressionMatch match = shape.match(QString::fromLatin1(line));
        if (!match.hasMatch())
            return;
        const QByteArray call = match.captured(1).toLatin1();
        const QList<QByteArray> args = match.captured(2).toLatin1().split(',');
        QList<QByteArray> a;
        for (const QByteArray& arg : args)
            a.append(arg.trimmed());
        const qint64 result = match.captured(3).toLongLong();
        if (result < 0)
            return;
        const QString said = QString::fromLatin1(call);
        if (call == "write" && a.value(0).startsWith("1<")) {
            Operation op = operation(Operation::Succeeded, -1, said);
            op.bytes = string(a.at(1));
            add(op);
            return;
        }
        if (call == "open" || call == "openat" || call == "creat") {
            const bool at = call == "openat";
            const QString path = pathOf(at ? a.at(0) : "AT_FDCWD<>", a.at(at ? 1 : 0));
            const QByteArray flags = call == "creat" ? "O_CREAT|O_TRUNC" : a.value(at ? 2 : 1);
            const std::optional<QString> inside = inWorld(path);
            if (!inside)
                return;
            if (flags.contains("O_TMPFILE")) { // a file of no name yet, in that folder
                m_open.insert(int(result), std::make_shared<Open>(Open{m_next++}));
                return;
            }
            if (flags.contains("O_CREAT") && m_tree.find(*inside) < 0)
                create(*inside, false, said + u' ' + *inside);
            const int node = m_tree.find(*inside);
            if (flags.contains("O_TRUNC") && !m_tree.nodes.value(node).folder)
                add(operation(Operation::Truncate, node, said + u' ' + *inside));
            m_open.insert(int(result),
                          std::make_shared<Open>(Open{node, 0, flags.contains("O_APPEND")}));
            return;
        }
        const auto [fd, fdPath] = descriptor(a.value(0));
        const bool onWorldFile = m_open.contains(fd) && inWorld(fdPath);
        if (call == "close") {
            m_open.remove(fd);
            return;
        }
        if (call == "dup" || call == "dup2" || call == "dup3" ||
            (call == "fcntl" && a.value(1).startsWith("F_DUPFD"))) {
            if (m_open.contains(fd))
                m_open.insert(int(result), m_open.value(fd));
            return;
        }
        if (call == "fcntl")
            return;
        if (call == "lseek" || call == "read") {
            if (onWorldFile)
                m_open[fd]->offset = call == "lseek" ? result : m_open[fd]->offset + result;
            return;
        }
        if (call == "write" || call == "pwrite64") {
            if (!onWorldFile)
                return;
            Open& open = *m_open[fd];
            const QByteArray bytes = string(a.at(1)).left(result);
            const qint64 at = call == "pwrite64" ? a.at(3).toLongLong()
                              : open.append      ? m_tree.nodes.value(open.node).data.size()
                                                 : open.offset;
            if (call == "write")
                open.offset = at + bytes.size();
            Operation op = operation(Operation::Write, open.node, said + u' ' + *inWorld(fdPath));
            op.offset = at;
            op.bytes = bytes;
            add(op);
            return;
        }
        if (call == "ftruncate" || call == "fsync" || call == "fdatasync") {
            if (!onWorldFile && !(inWorld(fdPath) && call != "ftruncate"))
                return;
            const int node = m_open.contains(fd) ? m_open[fd]->node : m_tree.find(*inWorld(fdPath));
            Operation op = operation(call == "ftruncate" ? Operation::Truncate : Operation::Sync,
                                     node, said + u' ' + *inWorld(fdPath));
            op.offset = a.value(1).toLongLong();
            add(op);
            return;
        }
        if (call == "rename" || call == "renameat" || call == "renameat2") {
            const bool at = call != "rename";
            const QString from = pathOf(at ? a.at(0) : "AT_FDCWD<>", a.at(at ? 1 : 0));
            const QString to = pathOf(at ? a.at(2) : "AT_FDCWD<>", a.at(at ? 3 : 1));
            if (!inWorld(from) && !inWorld(to))
                return;
            if (!inWorld(from) || !inWorld(to) || a.value(4).contains("EXCHANGE"))
                throw std::runtime_error("unmodelled rename: " + line.toStdString());
            const auto [fromFolder, fromName] = place(*inWorld(from));
            const auto [toFolder, toName] = place(*inWorld(to));
            Operation op = operation(Operation::Rename, m_tree.find(*inWorld(from)),
                                     said + u' ' + *inWorld(from) + u" → " + *inWorld(to));
            op.folder = fromFolder;
            op.name = fromName;
            op.toFolder = toFolder;
            op.toName = toName;
            add(op);
            return;
        }
        if (call == "unlink" || call == "unlinkat" || call == "rmdir") {
            const bool at = call == "unlinkat";
            const std::optional<QString> inside =
                inWorld(pathOf(at ? a.at(0) : "AT_FDCWD<>", a.at(at ? 1 : 0)));
            if (!inside)
                return;
            const auto [folder, name] = place(*inside);
            Operation op =
                operation(Operation::Remove, m_tree.find(*inside), said + u' ' + *inside);
            op.folder = folder;
            op.name = name;
            add(op);
            return;
        }
        if (call == "linkat") { // an unnamed file given its name, as Qt saves a file
            const std::optional<QString> inside = inWorld(pathOf(a.at(2), a.at(3)));
            if (!inside)
                return;
            const QString source = QFile::decodeName(string(a.at(1)));
            static const QString Descriptors = QStringLiteral("/proc/self/fd/");
            const int fd =
                source.startsWith(Descriptors) ? source.mid(Descriptors.size()).toInt() : -1;
            if (!m_open.contains(fd))
                throw std::runtime_error("unmodelled link: " + line.left(200).toStdString());
            const auto [folder, name] = place(*inside);
            Operation op = operation(Operation::Create, m_open[fd]->node, said + u' ' + *inside);
            op.folder = folder;
            op.name = name;
            add(op);
            return;
        }
        if (call == "mkdir" || call == "mkdirat") {
            const bool at = call == "mkdirat";
            if (const std::optional<QString> inside =
                    inWorld(pathOf(at ? a.at(0) : "AT_FDCWD<>", a.at(at ? 1 : 0))))
                create(*inside, true, said + u' ' + *inside);
            return;
        }
        if (onWorldFile || line.contains(escaped(QFile::encodeName(m_world + u'/'))))
            throw std::runtime_error("unmodelled call on the world: " +
                                     line.left(200).toStdString());
    }

    QString m_world;
    Tree m_tree;
    int m_next = 1;
    QHash<int, std::shared_ptr<Open>> m_open;
    QList<Operation> m_operations;
};

// Whether operation `i` had persisted once the first `end` operations were done: a file's data
// once the file is synced after it, a name once its folder (both, for a rename) is synced after.
inline bool persisted(const QList<Operation>& ops, int i, int end)
{
    const auto syncedAfter = [&](int node) {
        for (int j = i + 1; j < end; ++j)
            if (ops[j].kind == Operation::Sync && ops[j].node == node)
                return true;
        return false;
    };
    const Operation& op = ops[i];
    switch (op.kind) {
    case Operation::Write:
    case Operation::Truncate:
        return syncedAfter(op.node);
    case Operation::Create:
    case Operation::Remove:
        return syncedAfter(op.folder);
    case Operation::Rename:
        return syncedAfter(op.folder) && syncedAfter(op.toFolder);
    case Operation::Sync:
    case Operation::Succeeded:
        return true;
    }
    return true;
}

// A disk writes a sector whole or not at all; a write that spans sectors may reach the disk in
// part: its bytes up to the sector boundary nearest its middle. 0 when it lies in one sector.
constexpr qint64 SectorSize = 512;
inline qint64 tornAt(const Operation& op)
{
    if (op.kind != Operation::Write)
        return 0;
    const qint64 middle = op.offset + op.bytes.size() / 2;
    const qint64 boundary = (middle + SectorSize / 2) / SectorSize * SectorSize;
    return boundary > op.offset && boundary < op.offset + op.bytes.size() ? boundary - op.offset
                                                                          : 0;
}

// A state a power cut could leave: the operations done so far, but for those lost.
struct Cut
{
    int end = 0;     // operations done
    QList<int> lost; // left out
    int halved = -1; // a write of which only the first half reached the disk
    Tree tree;
};

// Every state the model allows at each point, sampled with `random` down to about `most` when
// there are more: at each point, the state the command saw, the state with every unsynced
// operation lost, with each one lost alone (a write also half done), and with those from each one
// on lost (the order a journal keeps); then random choices.
inline QList<Cut> cutsOf(const Tree& start, const QList<Operation>& ops, QRandomGenerator& random,
                         int most)
{
    QList<Cut> cuts;
    for (int end = 0; end <= ops.size(); ++end) {
        QList<int> unsynced;
        for (int i = 0; i < end; ++i)
            if (!persisted(ops, i, end))
                unsynced.append(i);
        cuts.append({end, {}, -1, {}});
        if (unsynced.isEmpty())
            continue;
        cuts.append({end, unsynced, -1, {}});
        for (qsizetype k = 0; k < unsynced.size(); ++k) {
            cuts.append({end, {unsynced[k]}, -1, {}});
            if (tornAt(ops[unsynced[k]]) > 0)
                cuts.append({end, {}, unsynced[k], {}});
            if (k > 0)
                cuts.append({end, unsynced.mid(k), -1, {}});
            QList<int> some;
            for (int i : unsynced)
                if (random.bounded(2))
                    some.append(i);
            cuts.append({end, some, -1, {}});
        }
    }
    while (cuts.size() > most)
        cuts.removeAt(random.bounded(cuts.size()));
    for (Cut& cut : cuts) {
        cut.tree = start;
        for (int i = 0; i < cut.end; ++i) {
            if (cut.lost.contains(i))
                continue;
            Operation op = ops[i];
            if (i == cut.halved)
                op.bytes.truncate(tornAt(op));
            apply(cut.tree, op);
        }
    }
    return cuts;
}

} // namespace CrashStates
