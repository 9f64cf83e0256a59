#include "keyer/linux_comm_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "keyer/line_guard.h"

namespace vl::keyer {

namespace {

constexpr int kDtr = TIOCM_DTR;
constexpr int kDtrAndRts = TIOCM_DTR | TIOCM_RTS;

// The program's last word on a port it cannot close: lower both lines.
void lowerModemLines(int fd) { ioctl(fd, TIOCMBIC, &kDtrAndRts); }

KeyError systemError(int number, const std::string& what) {
    return KeyError{number, what + ": " + std::strerror(number)};
}

KeyError deviceError(int number, const std::string& device) {
    return KeyError{number, deviceFailure(device, number)};
}

std::string_view remedyFor(int number) {
    switch (number) {
        case EACCES:
        case EPERM: return "add your user to the dialout group and log in again";
        case ENOENT:
        case ENODEV:
        case ENXIO: return "plug in the serial adapter, or name its device in VLPorts.txt";
        case EBUSY: return "close the other program that uses the port";
        case ENOTTY:
        case EINVAL:
            return "this is not a serial port with a DTR line; name the serial adapter's "
                   "device in VLPorts.txt";
        default: return {};
    }
}

speed_t baudConstant(int baud) {
    switch (baud) {
        case 110: return B110;
        case 300: return B300;
        case 600: return B600;
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B9600;
    }
}

// Raw bytes with the given line settings; no handshake, no modem status.
std::optional<KeyError> applySettings(int fd, const SerialSettings& s, const std::string& device) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return deviceError(errno, device);
    cfmakeraw(&tio);
    speed_t speed = baudConstant(s.baud);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    // HUPCL: the system lowers DTR when the port is last closed, also when
    // the program dies without closing it.
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    switch (s.dataBits) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        default: tio.c_cflag |= CS8; break;
    }
    if (s.parity == 'E') tio.c_cflag |= PARENB;
    if (s.parity == 'O') tio.c_cflag |= PARENB | PARODD;
    if (s.stopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return deviceError(errno, device);
    return std::nullopt;
}

}  // namespace

std::string deviceFailure(std::string_view device, int number) {
    std::string text = std::string(device) + ": " + std::strerror(number);
    if (const std::string_view remedy = remedyFor(number); !remedy.empty()) {
        text += ": ";
        text += remedy;
    }
    return text;
}

LinuxCommPort::LinuxCommPort(PortMap map) : map_(std::move(map)) {}

LinuxCommPort::LinuxCommPort(logbook::DataFolder folder) : folder_(std::move(folder)) {}

LinuxCommPort::~LinuxCommPort() { close(); }

PortMap LinuxCommPort::portMap() const { return map_ ? *map_ : loadPortMap(*folder_); }

std::string LinuxCommPort::devicePath() const { return portMap().device(port_); }

std::optional<KeyError> LinuxCommPort::setCommPort(std::int16_t port) {
    if (portOpen()) return KeyError{EBUSY, "The port number cannot change while the port is open"};
    if (port < 1) return KeyError{EINVAL, "There is no serial port " + std::to_string(port)};
    port_ = port;
    return std::nullopt;
}

std::optional<KeyError> LinuxCommPort::setSettings(std::string_view text) {
    std::optional<SerialSettings> parsed = parseSerialSettings(text);
    if (!parsed) return KeyError{EINVAL, "Invalid port settings \"" + std::string(text) + "\""};
    if (portOpen()) {
        if (auto error = applySettings(fd_, *parsed, devicePath())) return error;
    }
    settings_ = *parsed;
    settingsText_ = std::string(text);
    return std::nullopt;
}

std::optional<KeyError> LinuxCommPort::setPortOpen(bool open) {
    if (open) {
        if (portOpen()) return KeyError{EBUSY, "The port is already open"};
        return this->open();
    }
    if (!portOpen()) return KeyError{EBADF, "No port is open"};
    close();
    return std::nullopt;
}

std::optional<KeyError> LinuxCommPort::open() {
    // A ports file that says something we cannot follow opens nothing.
    const PortMap map = portMap();
    if (auto problem = portMapProblem(map)) return problem;
    std::string device = map.device(port_);
    if (device.empty()) return KeyError{ENODEV, "No device is set for serial port " + std::to_string(port_)};

    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return deviceError(errno, device);
    auto fail = [&](KeyError error) {
        ::close(fd);
        return std::optional<KeyError>(std::move(error));
    };
    if (auto error = applySettings(fd, settings_, device)) return fail(std::move(*error));
    // The open raised DTR and RTS: release the transmitter at once.
    if (ioctl(fd, TIOCMBIC, &kDtrAndRts) != 0) {
        return fail(deviceError(errno, device));
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int number = errno;
        return fail(deviceError(number == EWOULDBLOCK ? EBUSY : number, device));
    }
    ioctl(fd, TIOCEXCL);  // keep other programs out while we key
    fd_ = fd;
    guardLine(fd_, lowerModemLines);
    return std::nullopt;
}

void LinuxCommPort::close() {
    if (fd_ < 0) return;
    // Unkey before letting go; the close lowers the lines too (HUPCL).
    unguardLine(fd_);
    ioctl(fd_, TIOCMBIC, &kDtrAndRts);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

std::optional<KeyError> LinuxCommPort::setDTREnable(bool on) {
    if (fd_ < 0) return std::nullopt;
    if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &kDtr) != 0) {
        return systemError(errno, on ? "Cannot raise DTR" : "Cannot lower DTR");
    }
    return std::nullopt;
}

}  // namespace vl::keyer
