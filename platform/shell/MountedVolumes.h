#pragma once
// The mounted volumes a folder tree offers beside "/" and the home folder:
// real file systems mounted under /mnt, /media or /run/media (removable
// drives, network shares, other disks), never pseudo file systems.
#include <QByteArray>
#include <QStringList>

// The volume mount points named by mount-table text (the format of
// /proc/self/mounts), each once, sorted. Escaped characters (\040 for a
// space) are decoded. Existence is not checked.
QStringList VolumeMountPoints(const QByteArray& mountTable);

// The volumes mounted now that exist as folders.
QStringList MountedVolumes();
