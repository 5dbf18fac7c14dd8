#include "link/termios_config.h"

namespace velk::link {
namespace {

speed_t StandardSpeed(std::uint32_t baud)
{
    switch (baud) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
    }
}

tcflag_t CharacterSize(std::uint8_t bits)
{
    switch (bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

void ApplyParity(termios& tio, Parity parity)
{
    tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    tio.c_iflag &= ~INPCK;
    if (parity == Parity::None)
        return;
    tio.c_cflag |= PARENB;
    tio.c_iflag |= INPCK;
    if (parity == Parity::Odd || parity == Parity::Mark)
        tio.c_cflag |= PARODD;
    if (parity == Parity::Mark || parity == Parity::Space)
        tio.c_cflag |= CMSPAR;
}

}  // namespace

speed_t ConfigureTermios(termios& tio, const LineSettings& line)
{
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~(CSIZE | CSTOPB | CRTSCTS);
    tio.c_cflag |= CREAD | CLOCAL | CharacterSize(line.dataBits);
    // One and a half stop bits is what the UART gives for CSTOPB on 5-bit words.
    if (line.stopBits != StopBits::One)
        tio.c_cflag |= CSTOPB;
    ApplyParity(tio, line.parity);
    // Reads return whatever has arrived; poll does the waiting.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    const speed_t speed = StandardSpeed(line.baudRate);
    if (speed != B0) {
        ::cfsetispeed(&tio, speed);
        ::cfsetospeed(&tio, speed);
    }
    return speed;
}

}  // namespace velk::link
