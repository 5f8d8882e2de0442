#include "platform/shell/MountedVolumes.h"

#include <gtest/gtest.h>

TEST(MountedVolumes, OnlyRealFileSystemsUnderTheVolumeFoldersShow) {
  const QByteArray table =
      "/dev/sda2 / ext4 rw,relatime 0 0\n"
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/sda1 /boot/efi vfat rw 0 0\n"
      "/dev/sdb1 /media/alice/USB\\040STICK vfat rw,nosuid 0 0\n"
      "/dev/sdc1 /run/media/bob/Photos ext4 rw 0 0\n"
      "/dev/sdd1 /mnt/data ext4 rw 0 0\n"
      "//server/share /mnt/share cifs rw 0 0\n"
      "tmpfs /mnt/ram tmpfs rw 0 0\n"
      "systemd-1 /mnt/net autofs rw 0 0\n"
      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
      "/dev/sda2 /etc/hosts ext4 rw 0 0\n"
      "/dev/sde1 /media/alice/Back\\134slash/ ext4 rw 0 0\n"
      "/dev/sdd1 /mnt/data ext4 rw 0 0\n"  // mounted twice: listed once
      "C:\\134 /mnt/c 9p rw 0 0\n"
      "\n"
      "garbage\n";
  const QStringList expected = {
      "/media/alice/Back\\slash", "/media/alice/USB STICK", "/mnt/c", "/mnt/data", "/mnt/share",
      "/run/media/bob/Photos",
  };
  EXPECT_EQ(VolumeMountPoints(table), expected);
  EXPECT_TRUE(VolumeMountPoints("").isEmpty());
  // "/mnt" itself is a volume folder; "/media" and "/mediafoo/x" are not.
  EXPECT_EQ(VolumeMountPoints("/dev/sdf1 /mnt ext4 rw 0 0\n/dev/sdg1 /mediafoo/x ext4 rw 0 0\n"
                              "/dev/sdh1 /media ext4 rw 0 0\n"),
            QStringList{"/mnt"});
}
