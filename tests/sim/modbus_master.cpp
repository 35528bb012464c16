#include "modbus_master.h"

#include <stdexcept>

ModbusMaster::ModbusMaster(const std::string& path, int unit)
    : ctx_(modbus_new_rtu(path.c_str(), 19200, 'N', 8, 1)) {
    if (!ctx_ || modbus_set_slave(ctx_.get(), unit) != 0 || modbus_connect(ctx_.get()) != 0) {
        throw std::runtime_error("libmodbus cannot open " + path);
    }
}

std::optional<std::vector<std::uint16_t>> ModbusMaster::Read(int start, int count) const {
    std::vector<std::uint16_t> values(static_cast<std::size_t>(count));
    if (modbus_read_registers(ctx_.get(), start, count, values.data()) != count) {
        return std::nullopt;
    }
    return values;
}

bool ModbusMaster::Write(int reg, std::uint16_t value) const {
    return modbus_write_register(ctx_.get(), reg, value) == 1;
}
