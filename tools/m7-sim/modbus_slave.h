#pragma once

#include <memory>
#include <modbus/modbus.h>
#include <string>
#include <variant>

#include "fd.h"
#include "model.h"
#include "transmitter.h"

namespace m7sim {

struct ModbusFree {
    void operator()(modbus_t* ctx) const { modbus_free(ctx); }
};
using ModbusContext = std::unique_ptr<modbus_t, ModbusFree>;

struct MappingFree {
    void operator()(modbus_mapping_t* mapping) const { modbus_mapping_free(mapping); }
};
using ModbusMapping = std::unique_ptr<modbus_mapping_t, MappingFree>;

// A request for this unit or a broadcast, as libmodbus received and checked it.
struct Request {
    Frame bytes;
};
// A well-formed start of a request for another unit.
struct OtherUnit {
    int unit;
};
// A frame libmodbus refused; what was left of it on the line has been dropped.
struct BadFrame {
    std::string reason;
};
using Received = std::variant<Request, OtherUnit, BadFrame>;

// The receiving half of the slave: libmodbus frames and checks whatever the master
// sends on `fd`.
class RequestReader {
public:
    RequestReader(int fd, int address, int baud);
    // Call when `fd` is readable.
    Received Next();

private:
    void Drain() const;

    int fd_;
    int address_;
    int baud_;
    ModbusContext ctx_;
};

// Answers built by libmodbus. It writes them into a pipe instead of the line, so that
// the transmitter can pace them and the faults can bend them.
class ReplyBuilder {
public:
    explicit ReplyBuilder(int baud);

    Frame Reply(const Frame& request, const Registers& registers);
    Frame ExceptionReply(const Frame& request, Exception code);

private:
    Frame Collect(int length) const;

    Fd readEnd_;
    Fd writeEnd_;
    ModbusContext ctx_;
    ModbusMapping mapping_;
};

} // namespace m7sim
