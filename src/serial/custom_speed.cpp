#include "custom_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetCustomSpeed(int fd, std::uint32_t baud) {
    termios2 line{};
    if (::ioctl(fd, TCGETS2, &line) != 0) {
        return false;
    }
    line.c_cflag = (line.c_cflag & ~CBAUD) | BOTHER;
    line.c_cflag &= ~(CBAUD << IBSHIFT);
    line.c_cflag |= BOTHER << IBSHIFT;
    line.c_ispeed = baud;
    line.c_ospeed = baud;
    return ::ioctl(fd, TCSETS2, &line) == 0;
}
