#ifndef TESTS_SUPPORT_FILETREE_H
#define TESTS_SUPPORT_FILETREE_H

// A folder's whole content in memory: read from a folder, compared, and laid
// out again in a folder.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace filetree {

struct Entry {
    enum Kind { File, Folder, Link };
    Kind kind = File;
    QByteArray bytes; // a file's bytes, a link's target
    bool operator==(const Entry &o) const { return kind == o.kind && bytes == o.bytes; }
    bool operator!=(const Entry &o) const { return !(*this == o); }
};

// Paths relative to the folder ("a", "a/b"), the folder itself left out.
using Tree = QMap<QString, Entry>;

// Everything below `root`, links not followed.
Tree read(const QString &root);
// Makes `root` (which stays) hold exactly `tree`. `was`, when given, is what
// it holds now: only the differences are written.
void write(const Tree &tree, const QString &root, const Tree *was = nullptr);
// A digest of the whole tree: equal trees, equal digests.
QByteArray digest(const Tree &tree);
// The first difference, for a message; empty when equal.
QString firstDifference(const Tree &a, const Tree &b);

} // namespace filetree

#endif
