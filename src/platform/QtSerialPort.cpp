#include "platform/QtSerialPort.h"

#include <array>
#include <optional>

#include "platform/SerialPortLookup.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace tz {
namespace {

QSerialPort::Parity ToQtParity(char parity) {
    switch (parity) {
        case 'e': return QSerialPort::EvenParity;
        case 'o': return QSerialPort::OddParity;
        case 'm': return QSerialPort::MarkParity;
        case 's': return QSerialPort::SpaceParity;
        default: return QSerialPort::NoParity;
    }
}

QSerialPort::FlowControl ToQtFlowControl(int handshaking) {
    switch (handshaking) {
        case comXOnXoff: return QSerialPort::SoftwareControl;
        // Qt cannot combine both kinds; RTS/CTS is the one that protects the receiver.
        case comRTS:
        case comRTSXOnXOff: return QSerialPort::HardwareControl;
        default: return QSerialPort::NoFlowControl;
    }
}

// Line errors the system counts, and the link's event for each, in the same order.
using LineErrorCounters = std::array<long, 5>;
constexpr std::array<int, 5> LineErrorEvents = {comEventFrame, comEventOverrun, comEventRxParity,
                                                comEventBreak, comEventRxOver};

// The system's line-error counters of an open device; nullopt where they are not kept (on
// pseudo-terminals, and on systems other than Linux, where Qt 6 reports no line errors at all).
std::optional<LineErrorCounters> ReadLineErrorCounters([[maybe_unused]] qintptr handle) {
#ifdef __linux__
    serial_icounter_struct c{};
    if (::ioctl(static_cast<int>(handle), TIOCGICOUNT, &c) != 0) return std::nullopt;
    return LineErrorCounters{c.frame, c.overrun, c.parity, c.brk, c.buf_overrun};
#else
    return std::nullopt;
#endif
}

long LinesOf(QSerialPort::PinoutSignals pins) {
    return (pins & QSerialPort::ClearToSendSignal ? ModemCts : 0) |
           (pins & QSerialPort::DataSetReadySignal ? ModemDsr : 0);
}

}  // namespace

std::string OpenFailureText(const std::string& device, const std::string& systemText) {
    if (systemText.find("locking the device") != std::string::npos)
        return device + ": another program holds the port (" + systemText +
               "); close that program, or stop the other tz7300 or tz7300-setup, and try again";
    return device + ": " + systemText;
}

struct QtSerialPort::LineErrorCounts {
    LineErrorCounters counters{};
};

QtSerialPort::QtSerialPort(DeviceResolver resolve)
    : resolve_(resolve ? std::move(resolve)
                       : DeviceResolver([](int number) { return DeviceForPort(number); })),
      serial_(std::make_unique<QSerialPort>()) {
    poll_.setInterval(ModemPollMs);
    QObject::connect(&poll_, &QTimer::timeout, serial_.get(), [this] { PollLines(); });
    QObject::connect(serial_.get(), &QSerialPort::readyRead, serial_.get(),
                     [this] { PostReceive(); });
    QObject::connect(serial_.get(), &QSerialPort::errorOccurred, serial_.get(),
                     [this](QSerialPort::SerialPortError error) { OnSerialError(error); });
}

QtSerialPort::~QtSerialPort() {
    listener_ = nullptr;
    Close();
}

std::string QtSerialPort::ResolvedDevice() const {
    return deviceName_.empty() ? resolve_(commPort_) : deviceName_;
}

bool QtSerialPort::Settings(const std::string& settings) {
    std::string error;
    const auto parsed = ParseSerialSettings(settings, &error);
    if (!parsed) {
        lastError_ = error;
        return false;
    }
    settings_ = *parsed;
    if (open_) ApplyLineSettings();
    return true;
}

void QtSerialPort::DTREnable(bool on) {
    dtr_ = on;
    ApplyControlLines();
}

void QtSerialPort::RTSEnable(bool on) {
    rts_ = on;
    ApplyControlLines();
}

void QtSerialPort::Handshaking(int mode) {
    if (mode < comNone || mode > comRTSXOnXOff) {
        lastError_ = "handshaking mode " + std::to_string(mode) + " is not 0 to 3";
        return;
    }
    handshaking_ = mode;
    serial_->setFlowControl(ToQtFlowControl(mode));
    ApplyControlLines();
}

void QtSerialPort::ApplyLineSettings() {
    serial_->setBaudRate(settings_.baud);
    serial_->setParity(ToQtParity(settings_.parity));
    serial_->setDataBits(settings_.dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
    serial_->setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    serial_->setFlowControl(ToQtFlowControl(handshaking_));
    if (serial_->isOpen() && serial_->baudRate() != settings_.baud) {
        lastError_ = "the device refused " + std::to_string(settings_.baud) + " baud";
    }
}

void QtSerialPort::ApplyControlLines() {
    if (!serial_->isOpen() || lost_) return;
    // Devices without control lines (pseudo-terminals) refuse these; that is not a fault here.
    serial_->setDataTerminalReady(dtr_);
    if (serial_->flowControl() != QSerialPort::HardwareControl) serial_->setRequestToSend(rts_);
    serial_->clearError();
}

bool QtSerialPort::Open() {
    if (open_) return true;
    const std::string device = ResolvedDevice();
    if (device.empty()) {
        lastError_ = "no serial device found for port " + std::to_string(commPort_);
        return false;
    }
    serial_->setPortName(QString::fromStdString(device));
    ApplyLineSettings();
    if (!serial_->open(QIODevice::ReadWrite)) {
        lastError_ = OpenFailureText(device, serial_->errorString().toStdString());
        serial_->clearError();
        return false;
    }
    ++generation_;
    open_ = true;
    lost_ = false;
    receivePosted_ = false;
    lines_ = 0;
    lastError_.clear();
    ApplyControlLines();

    serial_->pinoutSignals();
    reportsLines_ = serial_->error() == QSerialPort::NoError;
    serial_->clearError();
    errorCounts_.reset();
    if (const auto counters = ReadLineErrorCounters(serial_->handle())) {
        errorCounts_ = std::make_unique<LineErrorCounts>(LineErrorCounts{*counters});
    }

    // The first reading is made from the event loop, so the caller of Open() sees its events
    // afterwards; lines already on at open count as a change from off.
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        serial_.get(),
        [this, generation] {
            if (generation != generation_ || !open_ || lost_) return;
            if (reportsLines_) {
                PollLines();
                poll_.start();
            } else {
                lines_ = ModemCts | ModemDsr;
                Raise(comEvCTS);
            }
        },
        Qt::QueuedConnection);
    return true;
}

void QtSerialPort::Close() {
    poll_.stop();
    ++generation_;
    if (serial_->isOpen()) serial_->close();
    serial_->clearError();
    open_ = false;
    lost_ = false;
    receivePosted_ = false;
    lines_ = 0;
    errorCounts_.reset();
}

void QtSerialPort::Output(const std::string& bytes) {
    if (!open_ || lost_) {
        lastError_ = "the port is not open";
        return;
    }
    serial_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string QtSerialPort::Input() {
    if (!serial_->isOpen()) return {};
    const QByteArray data = serial_->readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::Raise(int code) {
    if (listener_ && open_) listener_->OnComm(code);
}

void QtSerialPort::PostReceive() {
    if (receivePosted_ || !open_ || lost_) return;
    receivePosted_ = true;
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        serial_.get(),
        [this, generation] {
            if (generation != generation_) return;
            receivePosted_ = false;
            if (open_ && !lost_ && serial_->bytesAvailable() > 0) Raise(comEvReceive);
        },
        Qt::QueuedConnection);
}

void QtSerialPort::PollLines() {
    if (!open_ || lost_) return;
    const auto pins = serial_->pinoutSignals();
    if (lost_) return;  // reading the lines found the device gone (see OnSerialError)
    if (serial_->error() != QSerialPort::NoError) {
        serial_->clearError();
        return;
    }
    PollLineErrors();
    const long now = LinesOf(pins);
    if (now == lines_ || !open_) return;
    const int code = ((now ^ lines_) & ModemCts) ? comEvCTS : comEvDSR;
    lines_ = now;
    Raise(code);
}

void QtSerialPort::PollLineErrors() {
    if (!errorCounts_) return;
    const auto counters = ReadLineErrorCounters(serial_->handle());
    if (!counters) return;
    const LineErrorCounters before = errorCounts_->counters;
    errorCounts_->counters = *counters;
    for (std::size_t i = 0; i < LineErrorEvents.size(); ++i) {
        if ((*counters)[i] != before[i] && open_) Raise(LineErrorEvents[i]);
    }
}

void QtSerialPort::OnSerialError(QSerialPort::SerialPortError error) {
    if (!open_ || lost_) return;
    switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
            ReportLost();
            break;
        case QSerialPort::WriteError:
            // Output that could not be sent: the link's nearest event is a full transmit buffer.
            Raise(comEventTxFull);
            break;
        default:
            // Refused control-line operations of devices without them, and the like.
            break;
    }
}

void QtSerialPort::ReportLost() {
    lost_ = true;
    poll_.stop();
    const bool hadLines = lines_ != 0;
    lines_ = 0;
    lastError_ = serial_->portName().toStdString() + ": the device disappeared (" +
                 serial_->errorString().toStdString() + ")";
    // Reported from the event loop, not from inside QSerialPort's notification; the port stays
    // open during the event so that the listener handles it, then closes.
    const unsigned generation = generation_;
    QMetaObject::invokeMethod(
        serial_.get(),
        [this, generation, hadLines] {
            if (generation != generation_) return;
            const std::string reason = lastError_;
            if (hadLines) Raise(comEvCTS);
            if (generation == generation_) Close();
            lastError_ = reason;
        },
        Qt::QueuedConnection);
}

}  // namespace tz
