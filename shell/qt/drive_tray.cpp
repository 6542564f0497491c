#include "shell/qt/drive_tray.h"

#if defined(__linux__)
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

bool RequestDriveTray(bool open) {
#if defined(__linux__)
    // The usual name of the first optical drive, then the device itself.
    // Non-blocking, so that an empty drive can be opened at all.
    int fd = ::open("/dev/cdrom", O_RDONLY | O_NONBLOCK);
    if (fd < 0) fd = ::open("/dev/sr0", O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    const bool done = ::ioctl(fd, open ? CDROMEJECT : CDROMCLOSETRAY, 0) == 0;
    ::close(fd);
    return done;
#else
    (void)open;
    return false;
#endif
}
