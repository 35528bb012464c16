#include "port_name.h"

#include <gtest/gtest.h>

TEST(ResolvePortName, MapsOperatorNamesToDevicePaths) {
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM4", "/dev/ttyS3"},
        {"COM9", "/dev/ttyS8"},
        {"com4", "/dev/ttyS3"},
        {"Com2", "/dev/ttyS1"},
        {"COM0", "/dev/COM0"},
        {"COM10", "/dev/COM10"},
        {"COM", "/dev/COM"},
        {" COM4", "/dev/ COM4"},
        {"ttyUSB0", "/dev/ttyUSB0"},
        {"serial/by-id/usb-1", "/dev/serial/by-id/usb-1"},
        {"/dev/pts/7", "/dev/pts/7"},
        {"/tmp/link", "/tmp/link"},
        {"./ttyV0", "./ttyV0"},
        {"../ttyV0", "../ttyV0"},
        {"", "/dev/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolvePortName(QString::fromUtf8(c.name)), QString::fromUtf8(c.path))
            << "name \"" << c.name << '"';
    }
}
