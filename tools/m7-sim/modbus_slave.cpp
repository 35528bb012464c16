#include "modbus_slave.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace m7sim {

namespace {

// The bytes of one request come out of a pty together; a longer gap means the frame
// was cut off, and the loop should not stand still for libmodbus's default 500 ms.
constexpr std::uint32_t kByteTimeoutUs = 50'000;

// An RTU context on an existing descriptor: libmodbus neither opens nor configures it.
ModbusContext ContextOn(int fd, int baud) {
    ModbusContext ctx(modbus_new_rtu("/dev/null", baud, 'N', 8, 1));
    if (!ctx) {
        throw std::system_error(errno, std::generic_category(), "modbus_new_rtu");
    }
    CheckSys(modbus_set_socket(ctx.get(), fd), "modbus_set_socket");
    return ctx;
}

ModbusContext ReceiverOn(int fd, int address, int baud) {
    ModbusContext ctx = ContextOn(fd, baud);
    CheckSys(modbus_set_slave(ctx.get(), address), "modbus_set_slave");
    CheckSys(modbus_set_byte_timeout(ctx.get(), 0, kByteTimeoutUs), "modbus_set_byte_timeout");
    return ctx;
}

} // namespace

RequestReader::RequestReader(int fd, int address, int baud)
    : fd_(fd), address_(address), baud_(baud), ctx_(ReceiverOn(fd, address, baud)) {}

Received RequestReader::Next() {
    std::array<std::uint8_t, MODBUS_RTU_MAX_ADU_LENGTH> buffer{};
    const int length = modbus_receive(ctx_.get(), buffer.data());
    if (length > 0) {
        return Request{Frame(buffer.begin(), buffer.begin() + length)};
    }
    if (length == 0) {
        // libmodbus 3.1.6 now expects the other unit's answer and would take our next
        // request for it (losing sync), however short its response time-out: no other
        // unit answers on this line. A fresh context expects a request again.
        ctx_ = ReceiverOn(fd_, address_, baud_);
        return OtherUnit{buffer[0]};
    }
    BadFrame bad{modbus_strerror(errno)};
    Drain();
    return bad;
}

void RequestReader::Drain() const {
    std::array<std::uint8_t, 256> scrap{};
    while (::read(fd_, scrap.data(), scrap.size()) > 0) {
    }
}

ReplyBuilder::ReplyBuilder(int baud) : mapping_(modbus_mapping_new(0, 0, kRegisterCount, 0)) {
    if (!mapping_) {
        throw std::system_error(errno, std::generic_category(), "modbus_mapping_new");
    }
    int ends[2];
    CheckSys(::pipe(ends), "pipe");
    readEnd_ = Fd(ends[0]);
    writeEnd_ = Fd(ends[1]);
    SetCloseOnExec(ends[0]);
    SetCloseOnExec(ends[1]);
    ctx_ = ContextOn(writeEnd_.Get(), baud);
}

Frame ReplyBuilder::Reply(const Frame& request, const Registers& registers) {
    std::copy(registers.begin(), registers.end(), mapping_->tab_registers);
    const int length =
        modbus_reply(ctx_.get(), request.data(), static_cast<int>(request.size()), mapping_.get());
    return Collect(CheckSys(length, "modbus_reply"));
}

Frame ReplyBuilder::ExceptionReply(const Frame& request, Exception code) {
    const int length =
        modbus_reply_exception(ctx_.get(), request.data(), static_cast<unsigned>(code));
    return Collect(CheckSys(length, "modbus_reply_exception"));
}

Frame ReplyBuilder::Collect(int length) const {
    // An answer is at most 256 bytes, far below a pipe's capacity: it is all there.
    Frame bytes(static_cast<std::size_t>(length));
    CheckSys(static_cast<int>(::read(readEnd_.Get(), bytes.data(), bytes.size())), "read reply");
    return bytes;
}

} // namespace m7sim
