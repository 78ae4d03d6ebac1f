#pragma once

#include <QString>
#include <QtGlobal>

// What a file on disk is at one moment: enough to notice that another program wrote, replaced or
// removed it since. Atomic writers give the file a new inode, editors in place a new modification
// time (to the nanosecond) or size.
class FileIdentity
{
public:
    FileIdentity() = default;
    // The identity of the file at `path` now; one that does not exist when there is none.
    static FileIdentity of(const QString &path);

    bool exists() const { return m_exists; }
    // Whether both name one regular file (the same inode on the same device).
    bool isSameFileAs(const FileIdentity &other) const;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;

private:
    bool m_exists = false;
    bool m_regular = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    qint64 m_modifiedSeconds = 0;
    qint64 m_modifiedNanoseconds = 0;
};
